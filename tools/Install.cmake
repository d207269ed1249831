# Installs the instrument library for other projects: the static libraries, their headers
# below include/Instruments, a CMake package (find_package(Instruments) gives the targets
# Instruments::platform, Instruments::opcua, Instruments::opc, Instruments::instruments and
# Instruments::plot) and the Qt Designer plugin.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(INSTRUMENTS_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/Instruments)
set(INSTRUMENTS_CONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Instruments)
# With the prefix /usr this is where Debian's Qt Designer looks for plugins.
set(INSTRUMENTS_DESIGNER_PLUGIN_DIR ${CMAKE_INSTALL_LIBDIR}/qt6/plugins/designer
    CACHE STRING "Where the Qt Designer plugin is installed, below the prefix")

install(TARGETS platform opcua opc instruments plot EXPORT InstrumentsTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Instruments
        INCLUDES DESTINATION ${INSTRUMENTS_INCLUDE_DIR})
install(DIRECTORY platform opcua opc instruments plot DESTINATION ${INSTRUMENTS_INCLUDE_DIR}
        COMPONENT Instruments FILES_MATCHING PATTERN "*.h")
install(EXPORT InstrumentsTargets NAMESPACE Instruments:: DESTINATION ${INSTRUMENTS_CONFIG_DIR}
        COMPONENT Instruments)
install(TARGETS instruments_designer LIBRARY DESTINATION ${INSTRUMENTS_DESIGNER_PLUGIN_DIR}
        COMPONENT Instruments)

configure_package_config_file(${CMAKE_SOURCE_DIR}/tools/InstrumentsConfig.cmake.in
    ${CMAKE_BINARY_DIR}/InstrumentsConfig.cmake INSTALL_DESTINATION ${INSTRUMENTS_CONFIG_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/InstrumentsConfigVersion.cmake
    VERSION 1.0 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/InstrumentsConfig.cmake
              ${CMAKE_BINARY_DIR}/InstrumentsConfigVersion.cmake
        DESTINATION ${INSTRUMENTS_CONFIG_DIR} COMPONENT Instruments)

# Installs the already built library into a fresh prefix, then configures, builds and runs a
# small project that finds it with find_package. Run with cmake -P and:
#   BUILD_DIR, CONSUMER_DIR, WORK_DIR, GENERATOR, CXX, LAUNCHER, SANITIZE
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed OUTPUT_VARIABLE out
                    ERROR_VARIABLE out)
    if(failed)
        message(FATAL_ERROR "${ARGN}\n${out}")
    endif()
    message("${out}")
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --component Instruments)
file(GLOB_RECURSE plugin ${prefix}/libinstruments_designer.so)
if(NOT plugin OR NOT EXISTS ${prefix}/include/Instruments/instruments/controls/iKnob.h)
    message(FATAL_ERROR "the install lacks the Designer plugin or the headers")
endif()

set(flags "")
if(SANITIZE)
    set(flags "-fsanitize=address,undefined")
endif()
run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/build -G ${GENERATOR}
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER}
    -DCMAKE_PREFIX_PATH=${prefix} "-DCMAKE_CXX_FLAGS=${flags}" "-DCMAKE_EXE_LINKER_FLAGS=${flags}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/consumer)

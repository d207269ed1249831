// The attribute ids and the numeric NodeIds of namespace 0 the client addresses by number:
// the standard folders and reference types, the server's status variables, the data types.
#pragma once

#include <QtGlobal>

namespace UaAttributeId {
inline constexpr quint32 NodeId = 1;
inline constexpr quint32 NodeClass = 2;
inline constexpr quint32 BrowseName = 3;
inline constexpr quint32 DisplayName = 4;
inline constexpr quint32 Description = 5;
inline constexpr quint32 WriteMask = 6;
inline constexpr quint32 UserWriteMask = 7;
inline constexpr quint32 IsAbstract = 8;
inline constexpr quint32 Symmetric = 9;
inline constexpr quint32 InverseName = 10;
inline constexpr quint32 ContainsNoLoops = 11;
inline constexpr quint32 EventNotifier = 12;
inline constexpr quint32 Value = 13;
inline constexpr quint32 DataType = 14;
inline constexpr quint32 ValueRank = 15;
inline constexpr quint32 ArrayDimensions = 16;
inline constexpr quint32 AccessLevel = 17;
inline constexpr quint32 UserAccessLevel = 18;
inline constexpr quint32 MinimumSamplingInterval = 19;
inline constexpr quint32 Historizing = 20;
inline constexpr quint32 Executable = 21;
inline constexpr quint32 UserExecutable = 22;
} // namespace UaAttributeId

// Numeric identifiers in namespace 0.
namespace UaNodeIds {
// Data types; 1 to 25 are also the built-in type numbers.
inline constexpr quint32 Boolean = 1;
inline constexpr quint32 SByte = 2;
inline constexpr quint32 Byte = 3;
inline constexpr quint32 Int16 = 4;
inline constexpr quint32 UInt16 = 5;
inline constexpr quint32 Int32 = 6;
inline constexpr quint32 UInt32 = 7;
inline constexpr quint32 Int64 = 8;
inline constexpr quint32 UInt64 = 9;
inline constexpr quint32 Float = 10;
inline constexpr quint32 Double = 11;
inline constexpr quint32 String = 12;
inline constexpr quint32 DateTime = 13;
inline constexpr quint32 Guid = 14;
inline constexpr quint32 ByteString = 15;
inline constexpr quint32 XmlElement = 16;
inline constexpr quint32 NodeId = 17;
inline constexpr quint32 ExpandedNodeId = 18;
inline constexpr quint32 StatusCode = 19;
inline constexpr quint32 QualifiedName = 20;
inline constexpr quint32 LocalizedText = 21;
inline constexpr quint32 Structure = 22;
inline constexpr quint32 DataValue = 23;
inline constexpr quint32 BaseDataType = 24;
inline constexpr quint32 DiagnosticInfo = 25;
inline constexpr quint32 Number = 26;
inline constexpr quint32 Integer = 27;
inline constexpr quint32 UInteger = 28;
inline constexpr quint32 Enumeration = 29;

// Reference types.
inline constexpr quint32 References = 31;
inline constexpr quint32 NonHierarchicalReferences = 32;
inline constexpr quint32 HierarchicalReferences = 33;
inline constexpr quint32 HasChild = 34;
inline constexpr quint32 Organizes = 35;
inline constexpr quint32 HasTypeDefinition = 40;
inline constexpr quint32 Aggregates = 44;
inline constexpr quint32 HasSubtype = 45;
inline constexpr quint32 HasProperty = 46;
inline constexpr quint32 HasComponent = 47;

// Folders and the server object.
inline constexpr quint32 RootFolder = 84;
inline constexpr quint32 ObjectsFolder = 85;
inline constexpr quint32 TypesFolder = 86;
inline constexpr quint32 ViewsFolder = 87;
inline constexpr quint32 Server = 2253;
inline constexpr quint32 Server_ServerArray = 2254;
inline constexpr quint32 Server_NamespaceArray = 2255;
inline constexpr quint32 Server_ServerStatus = 2256;
inline constexpr quint32 Server_ServerStatus_StartTime = 2257;
inline constexpr quint32 Server_ServerStatus_CurrentTime = 2258;
inline constexpr quint32 Server_ServerStatus_State = 2259;
inline constexpr quint32 Server_ServerStatus_BuildInfo = 2260;
} // namespace UaNodeIds

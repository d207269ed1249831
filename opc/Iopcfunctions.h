// Helpers of the live-data items: which computer name means this one, the servers' file times
// as local date-times, and finding a server's class on another computer.
#pragma once

#include "platform/Clock.h"
#include "platform/DataAccess.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

// Empty or "Local" in any case, blanks trimmed.
bool IsLocalComputer(const QString& computerName);

// 100 ns intervals since 1601 in universal time, as a local date-time; 0 stays 0.
TDateTime FileTimeToDateTime(qint64 fileTime);

// The class of a server name on a remote computer: the local conversion first, then the
// computer's server list (made once and kept in serverList). Nothing when both fail; the
// list's categories are then searched by LookUpClassIdInCategories.
std::optional<QString> RemoteClassId(const QString& computer, const QString& progId,
                                     std::shared_ptr<TDataAccessServerList>& serverList);

// Searches the version 2.0 servers, then the version 1.0 ones, for the name exactly; the
// answer comes from the event loop, with "Unable to convert ProgID to CLSID" when neither
// lists it.
using TClassIdAnswer =
    std::function<void(const QString& classId, const std::optional<Exception>& error)>;
void LookUpClassIdInCategories(const std::shared_ptr<TDataAccessServerList>& serverList,
                               const QString& progId, TClassIdAnswer answer);

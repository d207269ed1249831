#include "opc/Iopcfunctions.h"

#include <QDateTime>

namespace {

constexpr qint64 FileTimeTicksPerMillisecond = 10000;
// Milliseconds from 1601-01-01 to 1970-01-01.
constexpr qint64 FileTimeEpochOffset = 11644473600000;
constexpr double UnixEpochAsDateTime = 25569.0;
constexpr double MillisecondsPerDay = 86400000.0;

std::shared_ptr<TDataAccessServerList> ServerListOf(const QString& computer) {
    std::shared_ptr<TDataAccessServerList> list;
    try {
        list = DataAccess().CreateServerList(computer);
    } catch (const Exception& e) {
        throw Exception(QStringLiteral("Unable to Create IOPCServerList Object : ") + e.Message());
    }
    if (!list) throw Exception(QStringLiteral("Unable to Create IOPCServerList Object"));
    return list;
}

void SearchCategory(std::shared_ptr<TDataAccessServerList> list, const QString& progId,
                    TDataAccessServerList::Category category, TClassIdAnswer answer) {
    const auto found = [list, progId, category, answer](const QStringList& progIds,
                                                        const std::optional<EDataAccessError>&) {
        if (progIds.contains(progId)) {
            answer(progId, std::nullopt);
        } else if (category == TDataAccessServerList::Category::Version2) {
            SearchCategory(list, progId, TDataAccessServerList::Category::Version1, answer);
        } else {
            answer(QString(), Exception(QStringLiteral("Unable to convert ProgID to CLSID")));
        }
    };
    list->EnumerateServers(category, found);
}

} // namespace

bool IsLocalComputer(const QString& computerName) {
    const QString name = computerName.trimmed();
    return name.isEmpty() || name.compare(QStringLiteral("LOCAL"), Qt::CaseInsensitive) == 0;
}

TDateTime FileTimeToDateTime(qint64 fileTime) {
    if (fileTime == 0) return 0;
    const qint64 utc = fileTime / FileTimeTicksPerMillisecond - FileTimeEpochOffset;
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(utc, Qt::UTC).toLocalTime();
    const qint64 wall = utc + qint64(local.offsetFromUtc()) * 1000;
    return UnixEpochAsDateTime + double(wall) / MillisecondsPerDay;
}

std::optional<QString> RemoteClassId(const QString& computer, const QString& progId,
                                     std::shared_ptr<TDataAccessServerList>& serverList) {
    try {
        return DataAccess().ClassIdFromProgId(progId);
    } catch (const EDataAccessError&) {
    }
    if (!serverList) serverList = ServerListOf(computer);
    try {
        return serverList->ClassIdFromProgId(progId);
    } catch (const EDataAccessError&) {
    }
    return std::nullopt;
}

void LookUpClassIdInCategories(const std::shared_ptr<TDataAccessServerList>& serverList,
                               const QString& progId, TClassIdAnswer answer) {
    SearchCategory(serverList, progId, TDataAccessServerList::Category::Version2,
                   std::move(answer));
}

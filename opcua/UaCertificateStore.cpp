#include "opcua/UaCertificateStore.h"

#include <QDir>
#include <QFile>
#include <QHostInfo>
#include <QStandardPaths>

namespace {

constexpr int KeyBits = 2048;
constexpr int ValidDays = 5 * 365;

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes, QFile::Permissions permissions) {
    QFile file(path);
    // The permissions are set before the bytes go in, so a key is never readable by others.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        !file.setPermissions(permissions) || file.write(bytes) != bytes.size())
        throw UaCryptoError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
}

void MakeFolder(const QString& path, QFile::Permissions permissions) {
    if (!QDir().mkpath(path) || !QFile::setPermissions(path, permissions))
        throw UaCryptoError(QStringLiteral("Cannot make the folder %1").arg(path));
}

constexpr QFile::Permissions UserOnly = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions UserFolder = UserOnly | QFile::ExeOwner;

} // namespace

UaCertificateStore::UaCertificateStore(const QString& folder) : folder_(folder) {}

QString UaCertificateStore::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/modulation-instruments/pki");
}

QString UaCertificateStore::TrustedFolder() const {
    return folder_ + QStringLiteral("/trusted");
}

QString UaCertificateStore::RejectedFolder() const {
    return folder_ + QStringLiteral("/rejected");
}

QString UaCertificateStore::FileName(const UaCertificate& certificate) {
    return QString::fromLatin1(certificate.Thumbprint().toHex()) + QStringLiteral(".der");
}

void UaCertificateStore::LoadOrMake(const QString& applicationUri) {
    if (certificate_ && certificate_->ApplicationUri() == applicationUri) return;
    const QString own = folder_ + QStringLiteral("/own");
    const QString certificatePath = own + QStringLiteral("/certificate.der");
    const QString keyPath = own + QStringLiteral("/private/key.pem");
    try {
        auto stored = UaCertificate::FromDer(ReadFile(certificatePath));
        auto key = UaRsaKey::FromPrivatePem(ReadFile(keyPath));
        if (stored.ApplicationUri() == applicationUri &&
            stored.PublicKey().PublicDer() == key.PublicDer()) {
            certificate_ = std::move(stored);
            key_ = std::move(key);
            return;
        }
    } catch (const UaCryptoError&) {
        // None yet, or one that cannot be read: a new one replaces it.
    }
    MakeFolder(own, UserFolder);
    MakeFolder(own + QStringLiteral("/private"), UserFolder);
    UaRsaKey key = UaRsaKey::Generate(KeyBits);
    const QString host = QHostInfo::localHostName();
    UaCertificate made = UaCertificate::MakeSelfSigned(key, QStringLiteral("Instruments@") + host,
                                                       applicationUri, {host}, ValidDays);
    WriteFile(keyPath, key.PrivatePem(), UserOnly);
    WriteFile(certificatePath, made.Der(), UserOnly | QFile::ReadGroup | QFile::ReadOther);
    certificate_ = std::move(made);
    key_ = std::move(key);
}

const UaCertificate& UaCertificateStore::OwnCertificate(const QString& applicationUri) {
    LoadOrMake(applicationUri);
    return *certificate_;
}

const UaRsaKey& UaCertificateStore::OwnKey(const QString& applicationUri) {
    LoadOrMake(applicationUri);
    return *key_;
}

bool UaCertificateStore::IsTrusted(const UaCertificate& certificate) const {
    const QString name = FileName(certificate);
    if (ReadFile(TrustedFolder() + QLatin1Char('/') + name) == certificate.Der()) return true;
    MakeFolder(RejectedFolder(), UserFolder);
    WriteFile(RejectedFolder() + QLatin1Char('/') + name, certificate.Der(),
              UserOnly | QFile::ReadGroup | QFile::ReadOther);
    return false;
}

void UaCertificateStore::Trust(const UaCertificate& certificate) const {
    const QString name = FileName(certificate);
    MakeFolder(TrustedFolder(), UserFolder);
    WriteFile(TrustedFolder() + QLatin1Char('/') + name, certificate.Der(),
              UserOnly | QFile::ReadGroup | QFile::ReadOther);
    QFile::remove(RejectedFolder() + QLatin1Char('/') + name);
}

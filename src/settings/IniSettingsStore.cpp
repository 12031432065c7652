#include "settings/IniSettingsStore.h"

#include <sys/stat.h>

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <map>
#include <mutex>
#include <optional>
#include <set>

#include "settings/AbandonedLock.h"
#include "settings/NameCodec.h"
#include "settings/SettingsTable.h"
#include "settings/TextEncoding.h"

namespace padrix {
namespace {

using Address = SettingsTable::Address;

// Text goes in as a string; bytes that are not UTF-8 go in as a byte array,
// which QSettings writes as @ByteArray(...) and gives back unchanged.
QVariant ToVariant(std::string_view value) {
    if (IsValidUtf8(value)) {
        return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
    }
    return QByteArray(value.data(), static_cast<qsizetype>(value.size()));
}

// The name a group or key of the file stands for: our own encoding when it is
// one, else the text as written (files edited by hand).
std::string NameOfToken(const QString& token) {
    const std::string bytes = token.toStdString();
    return DecodeName(bytes).value_or(bytes);
}

std::optional<std::string> TextOf(const QVariant& value) {
    if (value.typeId() == QMetaType::QByteArray) {
        return value.toByteArray().toStdString();
    }
    if (value.typeId() == QMetaType::QStringList) {
        // An unquoted list written by hand, such as a=b,c.
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    }
    if (!value.isValid() || !value.canConvert<QString>()) {
        return std::nullopt;
    }
    return value.toString().toStdString();
}

// What tells one version of the file from the next: QSaveFile always puts a
// new file in place, so a replaced file has a new inode.
struct FileStamp {
    bool exists = false;
    ino_t inode = 0;
    long long modified = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

FileStamp StampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return {};
    }
    return {true, info.st_ino, info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec};
}

}  // namespace

struct IniSettingsStore::Impl {
    std::string path;
    mutable std::mutex mutex;
    SettingsTable table;
    // Where each entry and section read from the file lives in it, so that a
    // write replaces exactly that entry even when a hand-edited file spells
    // its names in another way than ours.
    std::map<Address, QString> entryPaths;
    std::map<std::string, QString> sectionTokens;
    // Entries whose last write did not reach the file.
    std::set<Address> unsaved;
    bool lastSaveOk = true;

    void Load();
    QString PathOf(const Address& address) const;
    bool WriteUnsaved();
};

void IniSettingsStore::Impl::Load() {
    const QSettings file(QString::fromStdString(path), QSettings::IniFormat);
    for (const QString& full : file.allKeys()) {
        const qsizetype slash = full.indexOf(QLatin1Char('/'));
        if (slash <= 0) {
            continue;  // a key outside every section: not ours, left in the file
        }
        const QString group = full.left(slash);
        const std::optional<std::string> value = TextOf(file.value(full));
        const std::string section = NameOfToken(group);
        const std::string key = NameOfToken(full.mid(slash + 1));
        if (!value || table.Find(section, key) != nullptr) {
            continue;
        }
        const Address address = table.Put(section, key, *value);
        entryPaths.emplace(address, full);
        sectionTokens.try_emplace(address.section, group);
    }
}

QString IniSettingsStore::Impl::PathOf(const Address& address) const {
    if (const auto found = entryPaths.find(address); found != entryPaths.end()) {
        return found->second;
    }
    const auto section = sectionTokens.find(address.section);
    const QString group = section != sectionTokens.end()
                              ? section->second
                              : QString::fromStdString(EncodeName(address.section));
    return group + QLatin1Char('/') + QString::fromStdString(EncodeName(address.key));
}

bool IniSettingsStore::Impl::WriteUnsaved() {
    RemoveAbandonedLock(path);
    const FileStamp before = StampOf(path);
    QSettings file(QString::fromStdString(path), QSettings::IniFormat);
    for (const Address& address : unsaved) {
        const std::string* value = table.Find(address.section, address.key);
        file.setValue(PathOf(address), ToVariant(value != nullptr ? *value : std::string()));
    }
    file.sync();
    // A damaged file reports FormatError while reading it and is then still
    // rewritten; only a replaced file tells that the write went through.
    const QSettings::Status status = file.status();
    return status == QSettings::NoError ||
           (status == QSettings::FormatError && StampOf(path) != before);
}

IniSettingsStore::IniSettingsStore(std::string path) : impl_(std::make_unique<Impl>()) {
    impl_->path = std::move(path);
    impl_->Load();
}

IniSettingsStore::~IniSettingsStore() = default;

std::string IniSettingsStore::GetSetting(std::string_view section, std::string_view key,
                                         std::string_view def) {
    const std::lock_guard lock(impl_->mutex);
    const std::string* value = impl_->table.Find(section, key);
    return value != nullptr ? *value : std::string(def);
}

void IniSettingsStore::SaveSetting(std::string_view section, std::string_view key,
                                   std::string_view value) {
    const std::lock_guard lock(impl_->mutex);
    impl_->unsaved.insert(impl_->table.Put(section, key, value));
    impl_->lastSaveOk = impl_->WriteUnsaved();
    if (impl_->lastSaveOk) {
        impl_->unsaved.clear();
    }
}

bool IniSettingsStore::LastSaveReachedFile() const {
    const std::lock_guard lock(impl_->mutex);
    return impl_->lastSaveOk;
}

const std::string& IniSettingsStore::Path() const {
    return impl_->path;
}

}  // namespace padrix

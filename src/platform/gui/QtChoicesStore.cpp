#include "platform/gui/QtChoicesStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace pyrostat {

namespace {

constexpr int kFormatVersion = 1;

std::string Text(const QSettings& settings, const char* key) {
    return settings.value(QString::fromLatin1(key)).toString().toStdString();
}

} // namespace

QtChoicesStore::QtChoicesStore(QString path) : path_(std::move(path)) {
    if (path_.isEmpty()) {
        path_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                QStringLiteral("/pyrostat/pyrostat.conf");
    }
}

std::optional<RememberedChoices> QtChoicesStore::Load() {
    const QFileInfo info(path_);
    if (!info.exists() || !info.isFile() || !info.isReadable()) {
        return std::nullopt;
    }
    QSettings settings(path_, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError ||
        settings.value(QStringLiteral("format")).toInt() != kFormatVersion) {
        return std::nullopt; // damaged, or not ours: start as always
    }
    RememberedChoices choices;
    choices.engineer = Text(settings, "engineer");
    for (const QString& path : settings.value(QStringLiteral("recentStudies")).toStringList()) {
        choices.recentStudies.push_back(path.toStdString());
    }
    choices.windowGeometry = Text(settings, "windowGeometry");
    choices.openFolder = Text(settings, "openFolder");
    choices.saveFolder = Text(settings, "saveFolder");
    return choices;
}

bool QtChoicesStore::Save(const RememberedChoices& choices) {
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSettings settings(path_, QSettings::IniFormat);
    // The history's connection is the user's (or the office's) setting, not
    // a remembered choice: it stays as it was written.
    const QVariant database = settings.value(QStringLiteral("database"));
    settings.clear();
    if (database.isValid()) {
        settings.setValue(QStringLiteral("database"), database);
    }
    settings.setValue(QStringLiteral("format"), kFormatVersion);
    settings.setValue(QStringLiteral("engineer"), QString::fromStdString(choices.engineer));
    QStringList recent;
    for (const std::string& path : choices.recentStudies) {
        recent << QString::fromStdString(path);
    }
    settings.setValue(QStringLiteral("recentStudies"), recent);
    settings.setValue(QStringLiteral("windowGeometry"),
                      QString::fromStdString(choices.windowGeometry));
    settings.setValue(QStringLiteral("openFolder"), QString::fromStdString(choices.openFolder));
    settings.setValue(QStringLiteral("saveFolder"), QString::fromStdString(choices.saveFolder));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace pyrostat

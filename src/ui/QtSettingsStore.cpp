#include "ui/QtSettingsStore.h"

#include <QSettings>
#include <QString>

#include <charconv>

namespace ui {

namespace {

QString keyOf(std::string_view section, std::string_view key) {
    return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + '/' +
           QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

} // namespace

QtSettingsStore::QtSettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Skyvane",
                                             "Skyvane")) {}

QtSettingsStore::QtSettingsStore(const std::string& iniPath)
    : m_settings(
          std::make_unique<QSettings>(QString::fromStdString(iniPath), QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() {
    m_settings->sync();
}

std::optional<int> QtSettingsStore::readInt(std::string_view section, std::string_view key) const {
    const QVariant v = m_settings->value(keyOf(section, key));
    if (!v.isValid())
        return std::nullopt;
    const QByteArray text = v.toString().trimmed().toUtf8();
    int value = 0;
    const char* first = text.constData();
    const char* last = first + text.size();
    if (text.isEmpty())
        return std::nullopt;
    if (*first == '+')
        ++first;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last)
        return std::nullopt;
    return value;
}

std::optional<std::string> QtSettingsStore::readString(std::string_view section,
                                                       std::string_view key) const {
    const QVariant v = m_settings->value(keyOf(section, key));
    if (!v.isValid())
        return std::nullopt;
    // A list (an unquoted comma in the file) is not a value this program wrote.
    if (v.typeId() == QMetaType::QStringList)
        return std::nullopt;
    return v.toString().toStdString();
}

void QtSettingsStore::writeInt(std::string_view section, std::string_view key, int value) {
    m_settings->setValue(keyOf(section, key), QString::number(value));
}

void QtSettingsStore::writeString(std::string_view section, std::string_view key,
                                  std::string_view value) {
    m_settings->setValue(keyOf(section, key),
                         QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}

bool QtSettingsStore::sync() {
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

std::string QtSettingsStore::fileName() const {
    return m_settings->fileName().toStdString();
}

} // namespace ui

#include "app/preferences.h"

#include <QSettings>

#include <algorithm>

namespace vaziduvu {

namespace {

const char *const kGeometry = "window/geometry";
const char *const kState = "window/state";
const char *const kCheckLogOpen = "window/checkLogOpen";
const char *const kDuplicatesOpen = "window/duplicatesOpen";
const char *const kStatisticsOpen = "window/statisticsOpen";
const char *const kDuplicateMinutes = "duplicates/minutes";
const char *const kStatisticsTab = "statistics/tab";
const char *const kGridSplit = "window/gridSplit";
const char *const kReportSplit = "window/reportSplit";
const char *const kLastFolder = "files/lastFolder";
const char *const kRecentLogs = "files/recentLogs";
const char *const kGridFont = "grid/font";
const char *const kSyntaxHighlighting = "options/syntaxHighlighting";
const char *const kOmitEmptyTags = "options/omitEmptyFieldTags";
const char *const kCurrentAdif = "options/currentAdif";

}  // namespace

Preferences::Preferences()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("vaziduvu"), QStringLiteral("vaziduvu")))
{
}

Preferences::Preferences(const QString &file)
    : settings_(std::make_unique<QSettings>(file, QSettings::IniFormat))
{
}

Preferences::~Preferences() = default;

void Preferences::clear()
{
    settings_->clear();
    settings_->sync();
}

void Preferences::sync()
{
    settings_->sync();
}

QByteArray Preferences::windowGeometry() const
{
    return settings_->value(kGeometry).toByteArray();
}

void Preferences::setWindowGeometry(const QByteArray &geometry)
{
    settings_->setValue(kGeometry, geometry);
}

QByteArray Preferences::windowState() const
{
    return settings_->value(kState).toByteArray();
}

void Preferences::setWindowState(const QByteArray &state)
{
    settings_->setValue(kState, state);
}

QByteArray Preferences::gridSplit() const
{
    return settings_->value(kGridSplit).toByteArray();
}

void Preferences::setGridSplit(const QByteArray &state)
{
    if (state.isEmpty())
        settings_->remove(kGridSplit);
    else
        settings_->setValue(kGridSplit, state);
}

QByteArray Preferences::reportSplit() const
{
    return settings_->value(kReportSplit).toByteArray();
}

void Preferences::setReportSplit(const QByteArray &state)
{
    settings_->setValue(kReportSplit, state);
}

bool Preferences::checkLogOpen() const
{
    return settings_->value(kCheckLogOpen, false).toBool();
}

void Preferences::setCheckLogOpen(bool open)
{
    settings_->setValue(kCheckLogOpen, open);
}

bool Preferences::duplicatesOpen() const
{
    return settings_->value(kDuplicatesOpen, false).toBool();
}

void Preferences::setDuplicatesOpen(bool open)
{
    settings_->setValue(kDuplicatesOpen, open);
}

bool Preferences::statisticsOpen() const
{
    return settings_->value(kStatisticsOpen, false).toBool();
}

void Preferences::setStatisticsOpen(bool open)
{
    settings_->setValue(kStatisticsOpen, open);
}

std::optional<int> Preferences::duplicateMinutes() const
{
    bool number = false;
    const int minutes = settings_->value(kDuplicateMinutes).toInt(&number);
    if (!number || minutes < 0)
        return std::nullopt;
    return minutes;
}

void Preferences::setDuplicateMinutes(int minutes)
{
    settings_->setValue(kDuplicateMinutes, minutes);
}

int Preferences::statisticsTab() const
{
    return std::max(0, settings_->value(kStatisticsTab, 0).toInt());
}

void Preferences::setStatisticsTab(int tab)
{
    settings_->setValue(kStatisticsTab, tab);
}

QString Preferences::lastFolder() const
{
    return settings_->value(kLastFolder).toString();
}

void Preferences::setLastFolder(const QString &folder)
{
    settings_->setValue(kLastFolder, folder);
}

std::optional<QFont> Preferences::gridFont() const
{
    const QString text = settings_->value(kGridFont).toString();
    QFont font;
    if (text.isEmpty() || !font.fromString(text))
        return std::nullopt;
    return font;
}

void Preferences::setGridFont(const std::optional<QFont> &font)
{
    if (font)
        settings_->setValue(kGridFont, font->toString());
    else
        settings_->remove(kGridFont);
}

bool Preferences::syntaxHighlighting() const
{
    return settings_->value(kSyntaxHighlighting, false).toBool();
}

void Preferences::setSyntaxHighlighting(bool on)
{
    settings_->setValue(kSyntaxHighlighting, on);
}

bool Preferences::omitEmptyTags() const
{
    return settings_->value(kOmitEmptyTags, false).toBool();
}

void Preferences::setOmitEmptyTags(bool on)
{
    settings_->setValue(kOmitEmptyTags, on);
}

bool Preferences::currentAdif() const
{
    return settings_->value(kCurrentAdif, false).toBool();
}

void Preferences::setCurrentAdif(bool on)
{
    settings_->setValue(kCurrentAdif, on);
}

QStringList Preferences::recentLogs() const
{
    QStringList recent = settings_->value(kRecentLogs).toStringList();
    recent.removeAll(QString());
    recent.removeDuplicates();
    while (recent.size() > kRecentLogLimit)
        recent.removeLast();
    return recent;
}

void Preferences::setRecentLogs(const QStringList &paths)
{
    settings_->setValue(kRecentLogs, paths);
}

QStringList Preferences::withRecentLog(QStringList recent, const QString &path)
{
    if (path.isEmpty())
        return recent;
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kRecentLogLimit)
        recent.removeLast();
    return recent;
}

}  // namespace vaziduvu

#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QSettings;

namespace vaziduvu {

// What the window remembers between starts: its size and panels, the
// folder last used, the grid font, the options and the recent logs. One
// small class over QSettings, so every key is named in one place. A value
// never written reads as "not set", and the window then does what it does
// at a first start.
class Preferences {
public:
    static constexpr int kRecentLogLimit = 10;

    // The user's settings file in the desktop's place for settings
    // ($XDG_CONFIG_HOME/vaziduvu/vaziduvu.conf).
    Preferences();
    // A settings file of its own (tests).
    explicit Preferences(const QString &file);
    ~Preferences();
    Preferences(const Preferences &) = delete;
    Preferences &operator=(const Preferences &) = delete;

    // Forgets everything: the next start is a first start.
    void clear();
    // Writes what is pending to the disk.
    void sync();

    QByteArray windowGeometry() const;
    void setWindowGeometry(const QByteArray &geometry);
    // The docks' places (QMainWindow::saveState).
    QByteArray windowState() const;
    void setWindowState(const QByteArray &state);
    // The boundary between the grid and the text views as the user dragged
    // it (QSplitter::saveState); empty while it keeps its first proportions.
    QByteArray gridSplit() const;
    void setGridSplit(const QByteArray &state);
    // The boundary between the load report and the source view.
    QByteArray reportSplit() const;
    void setReportSplit(const QByteArray &state);
    bool checkLogOpen() const;
    void setCheckLogOpen(bool open);
    bool duplicatesOpen() const;
    void setDuplicatesOpen(bool open);
    bool statisticsOpen() const;
    void setStatisticsOpen(bool open);

    // The Find Duplicates window in minutes; nullopt: the first start's.
    std::optional<int> duplicateMinutes() const;
    void setDuplicateMinutes(int minutes);
    // The tab the Statistics window shows (0: the first).
    int statisticsTab() const;
    void setStatisticsTab(int tab);

    QString lastFolder() const;
    void setLastFolder(const QString &folder);
    std::optional<QFont> gridFont() const;
    // nullopt: the font of a first start.
    void setGridFont(const std::optional<QFont> &font);

    bool syntaxHighlighting() const;
    void setSyntaxHighlighting(bool on);
    bool omitEmptyTags() const;
    void setOmitEmptyTags(bool on);
    bool currentAdif() const;
    void setCurrentAdif(bool on);

    // Newest first.
    QStringList recentLogs() const;
    void setRecentLogs(const QStringList &paths);
    // The list with `path` put first (once), at most kRecentLogLimit long.
    static QStringList withRecentLog(QStringList recent, const QString &path);

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace vaziduvu

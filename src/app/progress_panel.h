#pragma once

#include "adif/progress.h"

#include <QElapsedTimer>
#include <QFrame>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vaziduvu {

class Platform;

// The panel a long operation shows in the middle of the window: what it
// does, how far it has come, and a Stop button (also Escape) where stopping
// loses nothing.
class ProgressPanel : public QFrame {
    Q_OBJECT
public:
    explicit ProgressPanel(QWidget *parent = nullptr);

    void start(const QString &caption, bool stoppable);
    void setFraction(double done);
    void finish();
    bool stopRequested() const { return stopRequested_; }
    void requestStop() { stopRequested_ = true; }
    QString caption() const;

private:
    QLabel *caption_ = nullptr;
    QProgressBar *bar_ = nullptr;
    QPushButton *stopButton_ = nullptr;
    bool stopRequested_ = false;
};

// A Progress that keeps the window alive during a long operation: at most
// every 50 ms it moves the panel (shown once the operation has taken
// 300 ms, so quick ones never flash it) and lets the window paint and
// answer. Parts of an operation (reading, then filling) share one bar.
class WindowProgress : public Progress {
public:
    WindowProgress(ProgressPanel &panel, Platform &platform, const QString &caption, bool stoppable,
                   int parts = 1);
    ~WindowProgress() override;
    WindowProgress(const WindowProgress &) = delete;
    WindowProgress &operator=(const WindowProgress &) = delete;

    bool advance(int64_t done, int64_t total) override;
    // The next part of the operation begins.
    void nextPart();
    bool stopRequested() const { return panel_.stopRequested(); }

private:
    ProgressPanel &panel_;
    Platform &platform_;
    QString caption_;
    bool stoppable_;
    int parts_;
    int part_ = 0;
    bool shown_ = false;
    QElapsedTimer running_;
    QElapsedTimer sinceUpdate_;
};

}  // namespace vaziduvu

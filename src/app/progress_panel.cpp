#include "app/progress_panel.h"

#include "platform/platform.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vaziduvu {

namespace {

constexpr qint64 kShowAfter = 300;   // milliseconds
constexpr qint64 kUpdateEvery = 50;  // milliseconds
constexpr int kBarSteps = 1000;

}  // namespace

ProgressPanel::ProgressPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName("progressPanel");
    setProperty(kAnswersDuringWork, true);  // Stop works while the operation runs
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    caption_ = new QLabel(this);
    caption_->setObjectName("progressCaption");
    bar_ = new QProgressBar(this);
    bar_->setObjectName("progressBar");
    bar_->setRange(0, kBarSteps);
    bar_->setMinimumWidth(320);
    stopButton_ = new QPushButton(QStringLiteral("Stop"), this);
    stopButton_->setObjectName("stopButton");
    stopButton_->setShortcut(QKeySequence(Qt::Key_Escape));
    stopButton_->setToolTip(QStringLiteral("Stop (Escape): nothing is changed"));
    auto *row = new QHBoxLayout;
    row->addWidget(bar_, 1);
    row->addWidget(stopButton_);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addWidget(caption_);
    layout->addLayout(row);
    connect(stopButton_, &QPushButton::clicked, this, [this] { requestStop(); });
    hide();
}

void ProgressPanel::start(const QString &caption, bool stoppable)
{
    stopRequested_ = false;
    caption_->setText(caption);
    bar_->setValue(0);
    stopButton_->setVisible(stoppable);
    adjustSize();
    if (QWidget *owner = parentWidget())
        move((owner->width() - width()) / 2, (owner->height() - height()) / 2);
    show();
    raise();
    if (stoppable)
        stopButton_->setFocus();
}

void ProgressPanel::setFraction(double done)
{
    bar_->setValue(static_cast<int>(std::clamp(done, 0.0, 1.0) * kBarSteps));
}

void ProgressPanel::finish()
{
    hide();
}

QString ProgressPanel::caption() const
{
    return caption_->text();
}

WindowProgress::WindowProgress(ProgressPanel &panel, Platform &platform, const QString &caption,
                               bool stoppable, int parts)
    : panel_(panel)
    , platform_(platform)
    , caption_(caption)
    , stoppable_(stoppable)
    , parts_(std::max(1, parts))
{
    panel_.start(caption_, stoppable_);
    panel_.hide();
    running_.start();
}

WindowProgress::~WindowProgress()
{
    panel_.finish();
}

void WindowProgress::nextPart()
{
    part_ = std::min(part_ + 1, parts_ - 1);
}

bool WindowProgress::advance(int64_t done, int64_t total)
{
    if (sinceUpdate_.isValid() && sinceUpdate_.elapsed() < kUpdateEvery)
        return !(stoppable_ && panel_.stopRequested());
    sinceUpdate_.start();
    if (!shown_ && running_.elapsed() >= kShowAfter) {
        shown_ = true;
        panel_.show();
        panel_.raise();
    }
    if (shown_) {
        const double share = total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 0;
        panel_.setFraction((part_ + share) / parts_);
    }
    platform_.processEvents();
    return !(stoppable_ && panel_.stopRequested());
}

}  // namespace vaziduvu

#include "platform/message_box_dialog.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace vaziduvu {

namespace {

QRect availableScreenArea(const QWidget *widget)
{
    QScreen *screen = widget->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

MessageBoxDialog::MessageBoxDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("MessageBoxDialog"));
    setWindowTitle(QStringLiteral("Morv Edit!"));
    setModal(true);

    panel_ = new QFrame(this);
    panel_->setObjectName(QStringLiteral("panel"));
    panel_->setFrameShape(QFrame::StyledPanel);
    panel_->setFrameShadow(QFrame::Sunken);
    panel_->setBackgroundRole(QPalette::Base);
    panel_->setAutoFillBackground(true);

    headerLabel_ = new QLabel(panel_);
    headerLabel_->setObjectName(QStringLiteral("headerLabel"));
    headerLabel_->setTextFormat(Qt::PlainText);
    headerLabel_->setForegroundRole(QPalette::Text);
    QFont headerFont = headerLabel_->font();
    headerFont.setBold(true);
    if (headerFont.pointSizeF() > 0)
        headerFont.setPointSizeF(headerFont.pointSizeF() + 2);
    else
        headerFont.setPixelSize(headerFont.pixelSize() + 3);
    headerLabel_->setFont(headerFont);

    messageArea_ = new QScrollArea(panel_);
    messageArea_->setObjectName(QStringLiteral("messageArea"));
    messageArea_->setFrameShape(QFrame::NoFrame);
    messageArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    messageArea_->setWidgetResizable(false);
    messageArea_->viewport()->setAutoFillBackground(false);

    messageLabel_ = new QLabel;
    messageLabel_->setObjectName(QStringLiteral("messageLabel"));
    messageLabel_->setTextFormat(Qt::PlainText);
    messageLabel_->setWordWrap(true);
    messageLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    messageLabel_->setForegroundRole(QPalette::Text);
    messageLabel_->setAutoFillBackground(false);
    messageLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    messageArea_->setWidget(messageLabel_);

    auto *panelLayout = new QVBoxLayout(panel_);
    panelLayout->setContentsMargins(6, 8, 6, 8);
    panelLayout->setSpacing(8);
    panelLayout->addWidget(headerLabel_);
    panelLayout->addWidget(messageArea_);
    panelLayout->addStretch(1);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setDefault(true);
    okButton_->setAutoDefault(true);
    okButton_->setMinimumWidth(75);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(okButton_);
    buttonRow->addStretch(1);

    auto *mainLayout = new QVBoxLayout(this);
    mainLayout->setContentsMargins(8, 8, 8, 8);
    mainLayout->setSpacing(8);
    mainLayout->addWidget(panel_, 1);
    mainLayout->addLayout(buttonRow);

    okButton_->setFocus();
    fitToText();
}

void MessageBoxDialog::setHeader(const QString &header)
{
    headerLabel_->setText(header);
    fitToText();
}

void MessageBoxDialog::setMessage(const QString &text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    messageLabel_->setText(shown);
    fitToText();
}

// Sizes the message to its text: 281 x 89 at least; wider for a word that
// would not fit (a long path), wider still for a very long text before it
// grows tall; taller than the screen allows, it scrolls. The box then takes
// the size its contents need, never less than its designed client area.
void MessageBoxDialog::fitToText()
{
    ensurePolished();
    const QRect screenArea = availableScreenArea(this);
    const int maxWidth = std::max(kMessageWidth, screenArea.width() - 120);
    const int maxHeight = std::max(kMessageHeight, screenArea.height() - 200);

    const QFontMetrics metrics(messageLabel_->font());
    int width = kMessageWidth;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList words = messageLabel_->text().split(blanks, Qt::SkipEmptyParts);
    for (const QString &word : words)
        width = std::max(width, metrics.horizontalAdvance(word) + 4);
    width = std::min(width, maxWidth);

    // A label measures its text within its size limits: lift the old ones.
    messageLabel_->setMinimumSize(0, 0);
    messageLabel_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    int height = messageLabel_->heightForWidth(width);
    while (height > 3 * kMessageHeight && width < maxWidth) {
        width = std::min(maxWidth, width + 80);
        height = messageLabel_->heightForWidth(width);
    }
    height = std::max(height, kMessageHeight);
    messageLabel_->setFixedSize(width, height);

    const bool scrolls = height > maxHeight;
    const int scrollBarWidth = scrolls ? messageArea_->verticalScrollBar()->sizeHint().width() : 0;
    messageArea_->setFixedSize(width + scrollBarWidth, std::min(height, maxHeight));

    // Nothing is shown yet, so no layout request reaches the panel: renew
    // the cached sizes by hand before asking for the whole box's size.
    headerLabel_->updateGeometry();
    messageArea_->updateGeometry();
    panel_->layout()->invalidate();
    panel_->updateGeometry();
    layout()->invalidate();
    setFixedSize(layout()->sizeHint().expandedTo(QSize(kClientWidth, kClientHeight)));
}

void MessageBoxDialog::centreOnScreen()
{
    const QRect screenArea = availableScreenArea(this);
    const QSize frame = frameGeometry().size();
    move(screenArea.x() + (screenArea.width() - frame.width()) / 2,
         screenArea.y() + (screenArea.height() - frame.height()) / 2);
}

void MessageBoxDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen();
    okButton_->setFocus();
}

}  // namespace vaziduvu

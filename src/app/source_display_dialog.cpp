#include "app/source_display_dialog.h"

#include "app/icons.h"
#include "app/text_views.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>

namespace vaziduvu {

namespace {

constexpr int kMargin = 7;

// A read-only text view with the line numbers in a margin on its left.
class NumberedTextView : public QPlainTextEdit {
public:
    explicit NumberedTextView(QWidget *parent)
        : QPlainTextEdit(parent)
        , margin_(new Margin(this))
    {
        connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { fitMargin(); });
        connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect &area, int dy) {
            if (dy != 0)
                margin_->scroll(0, dy);
            else
                margin_->update(0, area.y(), margin_->width(), area.height());
        });
        fitMargin();
    }

    // The first lines are the view's own heading: the numbers start after
    // them, so they are the file's line numbers.
    void setUnnumberedLines(int lines) { unnumbered_ = lines; }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QPlainTextEdit::resizeEvent(event);
        const QRect inside = contentsRect();
        margin_->setGeometry(inside.left(), inside.top(), marginWidth(), inside.height());
    }

private:
    class Margin : public QWidget {
    public:
        explicit Margin(NumberedTextView *view)
            : QWidget(view)
            , view_(view)
        {
        }

    protected:
        void paintEvent(QPaintEvent *event) override { view_->paintMargin(event->rect()); }

    private:
        NumberedTextView *view_;
    };

    int marginWidth() const
    {
        const int digits = QString::number(std::max(1, blockCount())).size();
        return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
    }

    void fitMargin() { setViewportMargins(marginWidth(), 0, 0, 0); }

    void paintMargin(const QRect &area)
    {
        QPainter painter(margin_);
        painter.fillRect(area, palette().color(QPalette::AlternateBase));
        painter.setPen(palette().color(QPalette::PlaceholderText));
        QTextBlock block = firstVisibleBlock();
        int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
        while (block.isValid() && top <= area.bottom()) {
            const int height = qRound(blockBoundingRect(block).height());
            if (block.isVisible() && top + height >= area.top()
                && block.blockNumber() >= unnumbered_)
                painter.drawText(0, top, margin_->width() - 4, height, Qt::AlignRight,
                                 QString::number(block.blockNumber() - unnumbered_ + 1));
            block = block.next();
            top += height;
        }
    }

    Margin *margin_;
    int unnumbered_ = 0;
};

}  // namespace

SourceDisplayDialog::SourceDisplayDialog(const std::string &text, int selectedOffset,
                                         int headingLines, QWidget *parent, TextEncoding encoding)
    : QDialog(parent)
    , text_(text)
    , selectedOffset_(selectedOffset)
    , encoding_(encoding)
{
    setObjectName("sourceDisplayDialog");
    setWindowTitle("Source Display");
    setWindowIcon(programIcon());
    setSizeGripEnabled(true);
    setMinimumSize(160, 120);

    auto *numbered = new NumberedTextView(this);
    numbered->setUnnumberedLines(headingLines);
    textView_ = numbered;
    textView_->setObjectName("sourceText");
    textView_->setReadOnly(true);
    textView_->setLineWrapMode(QPlainTextEdit::NoWrap);
    textView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textView_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    textView_->move(kMargin, kMargin);

    okButton_ = new QPushButton("OK", this);
    okButton_->setObjectName("okButton");
    okButton_->setDefault(true);
    okButton_->resize(75, 25);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    resize(kFirstWidth, kFirstHeight);
    layoutChildren();
}

void SourceDisplayDialog::showText()
{
    textView_->setPlainText(displayText(text_, encoding_));
    if (selectedOffset_ >= 0)
        selectLineAt(*textView_, text_, selectedOffset_, encoding_);
}

void SourceDisplayDialog::layoutChildren()
{
    textView_->resize(std::max(0, width() - 15), std::max(0, height() - 45));
    okButton_->move(textView_->x() + textView_->width() - okButton_->width(),
                    textView_->y() + textView_->height() + 7);
}

void SourceDisplayDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    showText();
    if (placed_)
        return;
    placed_ = true;
    const QScreen *screen
        = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->geometry().center());
    move(frame.topLeft());
}

void SourceDisplayDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layoutChildren();
}

}  // namespace vaziduvu

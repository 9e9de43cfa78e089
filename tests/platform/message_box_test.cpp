#include "platform/message_box_dialog.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>

namespace vaziduvu {
namespace {

struct Parts {
    QFrame *shape;
    QLabel *header;
    QLabel *message;
    QPushButton *ok;
};

Parts partsOf(const MessageBoxDialog &box)
{
    return {box.findChild<QFrame *>(QStringLiteral("panel")),
            box.findChild<QLabel *>(QStringLiteral("headerLabel")),
            box.findChild<QLabel *>(QStringLiteral("messageLabel")),
            box.findChild<QPushButton *>(QStringLiteral("okButton"))};
}

TEST(MessageBoxDialog, ShowsCaptionBoldHeaderTextAndOneOkButton)
{
    MessageBoxDialog box;
    box.setHeader(QStringLiteral("Problem:"));
    box.setMessage(QStringLiteral("Could not open file .."));

    const Parts parts = partsOf(box);
    ASSERT_TRUE(parts.shape && parts.header && parts.message && parts.ok);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Morv Edit!"));
    EXPECT_EQ(parts.header->text(), QStringLiteral("Problem:"));
    EXPECT_TRUE(parts.header->font().bold());
    EXPECT_GT(parts.header->font().pointSizeF(), parts.message->font().pointSizeF());
    EXPECT_FALSE(parts.message->font().bold());
    EXPECT_EQ(parts.message->text(), QStringLiteral("Could not open file .."));
    EXPECT_TRUE(parts.message->wordWrap());
    EXPECT_EQ(parts.ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(parts.ok->isDefault());
    EXPECT_EQ(box.findChildren<QPushButton *>().size(), 1);
}

TEST(MessageBoxDialog, KeepsItsDesignedSizeForAShortMessage)
{
    MessageBoxDialog box;
    box.setHeader(QStringLiteral("Information:"));
    box.setMessage(QStringLiteral("Export complete."));
    EXPECT_EQ(box.size(), QSize(MessageBoxDialog::kClientWidth, MessageBoxDialog::kClientHeight));
    EXPECT_EQ(box.minimumSize(), box.maximumSize());  // fixed border
    const QLabel *message = partsOf(box).message;
    EXPECT_GE(message->width(), MessageBoxDialog::kMessageWidth);
    EXPECT_GE(message->height(), MessageBoxDialog::kMessageHeight);
}

TEST(MessageBoxDialog, GrowsSoALongMessageIsNotCut)
{
    QString longText;
    for (int i = 0; i < 40; ++i)
        longText += QStringLiteral("The value in this cell does not belong to the table. ");
    MessageBoxDialog box;
    box.setHeader(QStringLiteral("Warning"));
    box.setMessage(longText);

    const QLabel *message = partsOf(box).message;
    EXPECT_GE(message->height(), message->heightForWidth(message->width()));
    EXPECT_GT(box.height(), MessageBoxDialog::kClientHeight);
}

TEST(MessageBoxDialog, AMessageTallerThanTheScreenScrollsInsideIt)
{
    QString hugeText;
    for (int i = 0; i < 600; ++i)
        hugeText += QStringLiteral("Record %1 has a date outside the accepted years.\n").arg(i);
    MessageBoxDialog box;
    box.setHeader(QStringLiteral("Problem:"));
    box.setMessage(hugeText);

    const QLabel *message = partsOf(box).message;
    EXPECT_GE(message->height(), message->heightForWidth(message->width()));
    EXPECT_LE(box.height(), box.screen()->availableGeometry().height());
    const auto *area = box.findChild<QScrollArea *>();
    ASSERT_NE(area, nullptr);
    EXPECT_LT(area->height(), message->height());
}

TEST(MessageBoxDialog, WidensForAWordLongerThanTheLine)
{
    const QString path = QStringLiteral("/home/operator/logs/") + QString(60, QLatin1Char('x'))
        + QStringLiteral("/CONTEST.ADI");
    MessageBoxDialog box;
    box.setMessage(path);
    const QLabel *message = partsOf(box).message;
    EXPECT_GE(message->width(), message->fontMetrics().horizontalAdvance(path));
    EXPECT_GT(box.width(), MessageBoxDialog::kClientWidth);
}

TEST(MessageBoxDialog, ShowsTagsAsTextAndBreaksLinesOnCrLf)
{
    MessageBoxDialog box;
    box.setMessage(QStringLiteral("Missing <EOR> after record 3\r\nsecond line"));
    const QLabel *message = partsOf(box).message;
    EXPECT_EQ(message->textFormat(), Qt::PlainText);
    EXPECT_EQ(message->text(), QStringLiteral("Missing <EOR> after record 3\nsecond line"));
}

TEST(MessageBoxDialog, OkClosesTheBoxAccepted)
{
    MessageBoxDialog box;
    box.setHeader(QStringLiteral("Problem:"));
    box.setMessage(QStringLiteral("text"));
    box.show();
    ASSERT_TRUE(box.isVisible());
    partsOf(box).ok->click();
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace vaziduvu

// Every dialog and message box as it is drawn: each text shown whole in the
// font the dialog really gets (single lines by their width, wrapped texts by
// the height they need at their box's width), and the message boxes with the
// caption, icon and single OK the game gives them.
#include "support/modalScript.h"

#include "app/krat.h"
#include "dialogs/AboutBox.h"
#include "dialogs/ComputerPlayers.h"
#include "dialogs/Poczatek.h"
#include "dialogs/Pomoc.h"
#include "dialogs/Sklepik.h"
#include "dialogs/messageBox.h"
#include "dialogs/vetoSpinBox.h"
#include "res/resource.h"
#include "res/stringTable.h"
#include "world/cCzolg.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QtTest>

namespace {

// What does not fit, one line per text, empty when everything fits.
QStringList LabelsCutOff(QWidget* window)
{
    QStringList cut;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        const QRect room = label->contentsRect();
        const QFontMetrics metrics(label->font());
        const QSize lines = metrics.size(0, label->text()); // broken at "\n" only
        const bool fits = label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                            : lines.width() <= room.width() && lines.height() <= room.height();
        if (!fits) {
            const QSize needs = label->wordWrap() ? QSize(label->width(), label->heightForWidth(label->width())) : lines;
            cut << QStringLiteral("%1 (needs %2 x %3, has %4 x %5)")
                       .arg(label->text())
                       .arg(needs.width())
                       .arg(needs.height())
                       .arg(room.width())
                       .arg(room.height());
        }
    }
    return cut;
}

QStringList GroupTitlesCutOff(QWidget* window)
{
    QStringList cut;
    for (QGroupBox* box : window->findChildren<QGroupBox*>()) {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect title = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
        const int advance = QFontMetrics(box->font()).horizontalAdvance(box->title());
        if (title.width() < advance || title.left() < 0 || title.right() >= box->width())
            cut << box->title();
    }
    return cut;
}

QStringList ButtonTextsCutOff(QWidget* window)
{
    QStringList cut;
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        const QFontMetrics metrics(button->font());
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        if (metrics.horizontalAdvance(button->text()) + margin > button->width()
            || metrics.height() > button->height())
            cut << button->text();
    }
    return cut;
}

// Every item of a drop-down list fits the list's closed box beside its arrow.
QStringList ListItemsCutOff(QWidget* window)
{
    QStringList cut;
    for (QComboBox* list : window->findChildren<QComboBox*>()) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.editable = false;
        const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
        const QFontMetrics metrics(list->font());
        for (int i = 0; i < list->count(); ++i)
            if (metrics.horizontalAdvance(list->itemText(i)) > field.width() || metrics.height() > field.height())
                cut << list->itemText(i);
    }
    return cut;
}

QStringList TextsCutOff(QWidget* window)
{
    return LabelsCutOff(window) + GroupTitlesCutOff(window) + ButtonTextsCutOff(window) + ListItemsCutOff(window);
}

// A picture of the window as it is drawn, kept for a reviewer in the test's "look" folder.
void KeepLook(QWidget* window, const QString& name)
{
    const QDir look(QStringLiteral(TARNOK_LOOK_DIR));
    if (look.mkpath(QStringLiteral(".")))
        window->grab().save(look.filePath(name + QStringLiteral(".png")));
}

// Runs the dialog and returns what did not fit while it was up.
QStringList CutOffWhileShown(const QString& name, const std::function<void()>& run)
{
    ModalScript script;
    QStringList cut;
    script.Then([&](QWidget* modal) {
        KeepLook(modal, name);
        cut = TextsCutOff(modal);
        PressKey(modal, Qt::Key_Escape);
    });
    run();
    if (!script.Done())
        cut << QStringLiteral("(no dialog was shown)");
    return cut;
}

// All fit, or the texts that did not, for the failure message.
#define VERIFY_ALL_FIT(cut)                                                                                           \
    do {                                                                                                              \
        const QStringList texts = (cut);                                                                              \
        QVERIFY2(texts.isEmpty(), qPrintable(texts.join(QStringLiteral(" | "))));                                     \
    } while (false)

struct MessageLook {
    QString caption;
    QStringList cut;
    QStringList buttons;
    bool buttonIconShown = true;
    bool iconShown = false;
    int textIndent = -1; // from the box's left edge to the text
};

MessageLook LookOfMessage(const QString& text, MessageIcon icon, const QString& name = QString())
{
    ModalScript script;
    MessageLook look;
    script.Then([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!name.isEmpty())
            KeepLook(box, name);
        look.caption = box->windowTitle();
        look.cut = TextsCutOff(box);
        for (QPushButton* button : box->findChildren<QPushButton*>()) {
            look.buttons << button->text();
            look.buttonIconShown = !button->icon().isNull();
        }
        for (QLabel* label : box->findChildren<QLabel*>()) {
            if (label->text() == text)
                look.textIndent = label->mapTo(box, QPoint(0, 0)).x();
            else if (label->isVisible() && !label->pixmap().isNull())
                look.iconShown = true;
        }
        PressKey(box, Qt::Key_Return);
    });
    ShowMessage(nullptr, text, icon);
    return look;
}

QString ResultsOfEightPlayers()
{
    QString text = Text(IDS_RESULTS_HEADER);
    for (int player = 1; player <= 8; ++player)
        text += QString::asprintf(Text(IDS_RESULTS_LINE).toUtf8().constData(), player, 20);
    return text;
}

} // namespace

class TextFitTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitResources(); }

    void theDialogsUseTheFontTheirTemplatesWereDrawnFor()
    {
        CPomoc help;
        QCOMPARE(QFontInfo(help.font()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(help.font().pointSize(), 8);
    }

    void everyTextOfTheNewGameDialogIsShownWhole()
    {
        CPoczatek dialog;
        VERIFY_ALL_FIT(CutOffWhileShown(QStringLiteral("newGame-grab"), [&] { dialog.DoModal(); }));
    }

    void everyTextOfTheShopIsShownWholeForALargeVisit()
    {
        CSklepik shop;
        cCzolg tank;
        tank.player = 7;
        tank.money = 123450;
        tank.stock[1] = tank.stock[2] = tank.stock[3] = 999;
        VERIFY_ALL_FIT(CutOffWhileShown(QStringLiteral("shop"), [&] { shop.Serve(tank, 19); }));
    }

    // "R - reset widoku", the last line of the first block, was hidden behind
    // the second block when a long line wrapped.
    void everyLineOfTheHelpIsShownWhole()
    {
        CPomoc help;
        VERIFY_ALL_FIT(CutOffWhileShown(QStringLiteral("help-grab"), [&] { help.DoModal(); }));
    }

    void everyTextOfTheComputerPlayersDialogIsShownWhole()
    {
        CComputerPlayers dialog;
        for (int seat = 0; seat < CComputerPlayers::SEATS; ++seat)
            dialog.m_seatChoice[seat] = seat % CComputerPlayers::CHOICES; // every item shown in some row
        VERIFY_ALL_FIT(CutOffWhileShown(QStringLiteral("computerPlayers-grab"), [&] { dialog.DoModal(); }));
    }

    void theAboutNoticeFitsItsOneLine()
    {
        CAboutBox about;
        VERIFY_ALL_FIT(CutOffWhileShown(QStringLiteral("about-grab"), [&] { about.DoModal(); }));
    }

    void everyMessageIsShownWholeWithTheGamesCaptionAndOneOk_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("results");
        const std::pair<const char*, int> refusals[] = {
            {"weaponRefused", IDS_WEAPON_REFUSED},       {"noMoneySmall", IDS_SHOP_NO_MONEY_SMALL},
            {"noMoneyMedium", IDS_SHOP_NO_MONEY_MEDIUM}, {"noMoneyLarge", IDS_SHOP_NO_MONEY_LARGE},
            {"nothingSmall", IDS_SHOP_NOTHING_SMALL},    {"nothingMedium", IDS_SHOP_NOTHING_MEDIUM},
            {"nothingLarge", IDS_SHOP_NOTHING_LARGE},    {"sumTooHigh", IDS_SHOP_SUM_TOO_HIGH},
        };
        for (auto [name, id] : refusals)
            QTest::newRow(name) << Text(id) << false;
        QTest::newRow("results") << ResultsOfEightPlayers() << true;
    }

    // Only the results carry an icon; the others start their text at the
    // margin, with no room kept for one, and no button shows a picture.
    void everyMessageIsShownWholeWithTheGamesCaptionAndOneOk()
    {
        QFETCH(QString, text);
        QFETCH(bool, results);
        const MessageLook look = LookOfMessage(text, results ? MessageIcon::Information : MessageIcon::None,
                                               QStringLiteral("message-") + QTest::currentDataTag());
        QCOMPARE(look.caption, QStringLiteral("Tarnok 3D"));
        VERIFY_ALL_FIT(look.cut);
        QCOMPARE(look.buttons, QStringList{QStringLiteral("OK")});
        QVERIFY(!look.buttonIconShown);
        QCOMPARE(look.iconShown, results);
        const MessageLook plain = LookOfMessage(text, MessageIcon::None);
        const MessageLook withIcon = LookOfMessage(text, MessageIcon::Information);
        QVERIFY2(plain.textIndent < withIcon.textIndent - 16, qPrintable(QString::number(plain.textIndent)));
        QVERIFY(plain.textIndent <= 24);
    }

    // The reset to 2 players and 1 round belongs to every showing, also when
    // the dialog is run through its base class.
    void theNewGameDialogStartsAtTwoAndOneHoweverItIsRun()
    {
        CPoczatek dialog;
        dialog.m_players = QStringLiteral("7");
        dialog.m_rounds = QStringLiteral("9");
        ModalScript script;
        QString shown;
        script.Then([&](QWidget* modal) {
            shown = dialog.m_spinPlayers->text() + '/' + dialog.m_spinRounds->text();
            PressKey(modal, Qt::Key_Return);
        });
        TemplateDialog& plain = dialog;
        plain.DoModal();
        QCOMPARE(shown, QStringLiteral("2/1"));
        QCOMPARE(dialog.m_players, QStringLiteral("2"));
        QCOMPARE(dialog.m_rounds, QStringLiteral("1"));
    }
};

QTEST_MAIN(TextFitTest)
#include "tst_textFit.moc"

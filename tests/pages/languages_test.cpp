// Every window in every shipped language: each caption shows whole, no two controls meet or
// share an Alt key; Qt's own texts speak the chosen language.

#include <gtest/gtest.h>

#include <map>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTranslator>
#include <QTreeWidget>

#include "app/safe_file.h"
#include "app/ui/about_box.h"
#include "app/ui/directory_chooser.h"
#include "app/ui/korvel_page.h"
#include "app/ui/option_sheet.h"
#include "app/ui/qt_text.h"
#include "app/ui/qt_translations.h"
#include "dataview/dialog/data_view_dialog.h"
#include "dataview/history/history_thinnest.h"
#include "pages/demo_gauge_panel.h"
#include "pages/page_set.h"
#include "sim/upgrade_mode.h"
#include "tests/support/page_environment.h"
#include "tests/support/recording_voice.h"
#include "tests/support/simulated_gauge_setup.h"

namespace korvel {
namespace {

const char* const kLanguages[] = {"ENU", "DEU", "FRA", "ESP", "PTB", "CHS"};

// The word before the version number in the sheet's title.
const std::map<std::string, std::string> kVersionWords = {
    {"ENU", "Version"}, {"DEU", "Version"}, {"FRA", "Version"},
    {"ESP", "Versión"}, {"PTB", "Versão"},  {"CHS", "版本"},
};

std::string resources() {
    return std::string(KORVEL_SOURCE_DIR) + "/resources";
}

// A control is a widget the person sees as one thing; the parts inside a combo box, list or
// text box are not controls of their own.
bool isControl(const QWidget* widget) {
    return qobject_cast<const QLabel*>(widget) || qobject_cast<const QAbstractButton*>(widget) ||
           qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget) ||
           qobject_cast<const QProgressBar*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
           qobject_cast<const QGroupBox*>(widget);
}

bool insideAnotherControl(const QWidget* widget, const QWidget* window) {
    for (const QWidget* up = widget->parentWidget(); up && up != window; up = up->parentWidget()) {
        if (isControl(up) && !qobject_cast<const QGroupBox*>(up)) {
            return true;
        }
    }
    return false;
}

QString captionOf(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(control)) {
        return box->title();
    }
    return {};
}

// Whether the caption shows whole in the control's present size. The text's own height counts
// (a Chinese caption is drawn in a taller fallback font than the dialog's font).
bool captionFits(const QWidget* control, const QString& caption) {
    if (const auto* label = qobject_cast<const QLabel*>(control); label && label->wordWrap()) {
        return label->height() >= label->heightForWidth(label->width());
    }
    const QFontMetrics metrics = control->fontMetrics();
    if (qobject_cast<const QGroupBox*>(control)) {
        return control->width() >= metrics.horizontalAdvance(caption) + 8;
    }
    return control->width() >= control->sizeHint().width() &&
           control->height() >= metrics.boundingRect(QString(caption).remove('&')).height();
}

// The part of the window a control takes; a caption's text keeps one pixel from its
// neighbours, so a caption may not touch the next control either.
QRect reachOf(const QWidget* control, const QWidget* window, bool captioned) {
    const QRect place(control->mapTo(window, QPoint(0, 0)), control->size());
    if (!captioned || qobject_cast<const QGroupBox*>(control)) {
        return place;
    }
    return QRect(place.topLeft(), QSize(control->sizeHint().width() + 1, place.height()));
}

std::vector<const QWidget*> visibleControls(const QWidget* window) {
    std::vector<const QWidget*> controls;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->isVisible() && isControl(widget) && !insideAnotherControl(widget, window)) {
            controls.push_back(widget);
        }
    }
    return controls;
}

// Alt and a letter reaches one control only: of two controls with one letter Qt presses
// neither, it moves the focus between them.
void expectOwnAltKeys(const QWidget* window, const std::string& where) {
    std::map<int, QString> altKeys;
    for (const QWidget* control : visibleControls(window)) {
        const QKeySequence key = QKeySequence::mnemonic(captionOf(control));
        if (key.isEmpty()) {
            continue;
        }
        const auto [taken, fresh] = altKeys.emplace(key[0].toCombined(), captionOf(control));
        EXPECT_TRUE(fresh) << where << ": \"" << captionOf(control).toStdString() << "\" and \""
                           << taken->second.toStdString() << "\" share an Alt key";
    }
}

// Checks every visible control of the window; `where` names the window in the failures.
void expectCaptionsWholeAndApart(const QWidget* window, const std::string& where) {
    const std::vector<const QWidget*> controls = visibleControls(window);
    ASSERT_GE(controls.size(), 3u) << where;
    expectOwnAltKeys(window, where);
    for (const QWidget* control : controls) {
        const QString caption = captionOf(control);
        EXPECT_TRUE(caption.isEmpty() || captionFits(control, caption))
            << where << ": \"" << caption.toStdString() << "\" is cut";
        const QRect reach = reachOf(control, window, !caption.isEmpty());
        for (const QWidget* other : controls) {
            if (other == control || control->isAncestorOf(other) || other->isAncestorOf(control)) {
                continue;
            }
            const QRect otherPlace(other->mapTo(window, QPoint(0, 0)), other->size());
            EXPECT_FALSE(reach.intersects(otherPlace))
                << where << ": \"" << caption.toStdString() << "\" meets \""
                << captionOf(other).toStdString() << "\" (" << other->metaObject()->className()
                << ")";
        }
    }
}

void showAndSettle(QWidget& window) {
    window.show();
    QApplication::processEvents();
}

std::pair<int, int> extent(QSize size) {
    return {size.width(), size.height()};
}

// Starts the program in the environment with the shipped language file, the language chosen
// and the page flags given.
const PalimarApp& startIn(test::PageEnvironment& environment, const char* language,
                          const std::string& pageFlags) {
    environment.write("work/Language.ini", *readFileBytes(resources() + "/Language.ini"));
    environment.write("work/AppConfig.ini", pageFlags);
    environment.write("config/Korvel/Settings.ini",
                      std::string("[Language]\r\nDefault=") + language + "\r\n");
    return environment.start();
}

class ShippedLanguages : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        app_ = &startIn(environment_, GetParam(), test::pageFlags(1, 0, 1));
        ASSERT_EQ(app_->texts().languageCode(), GetParam());
    }

    test::PageEnvironment environment_;
    const PalimarApp* app_ = nullptr;
};

// In every configuration the sheet opens at the size of its largest page and keeps it from tab
// to tab; every tab shows whole, without scroll arrows.
TEST_P(ShippedLanguages, SheetOpensAtItsLargestPageWithEveryTabInSight) {
    const std::string configurations[] = {test::pageFlags(1, 0, 1), test::pageFlags(0, 0, 1),
                                          test::pageFlags(2, 1, 1)};
    for (const std::string& flags : configurations) {
        test::PageEnvironment environment;
        const PalimarApp& app = startIn(environment, GetParam(), flags);
        COptionSheet sheet(app, createPageSet(environment.context()));
        showAndSettle(sheet);
        const QSize opened = sheet.size();
        const QTabBar* tabs = sheet.findChild<QTabWidget*>()->tabBar();
        for (const QToolButton* arrow : tabs->findChildren<QToolButton*>()) {
            EXPECT_FALSE(arrow->isVisible()) << GetParam() << " " << flags;
        }
        for (int i = 0; i < sheet.pageCount(); ++i) {
            const KorvelPage* page = sheet.page(i);
            const std::string where = GetParam() + (" " + page->title().toStdString());
            EXPECT_TRUE(tabs->rect().contains(tabs->tabRect(i))) << where;
            sheet.setCurrentPage(i);
            QApplication::processEvents();
            EXPECT_EQ(extent(sheet.size()), extent(opened)) << where;
            EXPECT_EQ(extent(page->size().expandedTo(page->sizeHint())), extent(page->size()))
                << where;
        }
    }
}

// On a laptop screen at 125 % (the "small_screen" test entry gives one) the whole sheet, its
// title bar and Close stay on the screen, and no page is squeezed below what it needs.
TEST_P(ShippedLanguages, SheetFitsASmallScreen) {
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    if (screen.height() > 600) {
        GTEST_SKIP() << "needs the small screen of the small_screen test entry";
    }
    COptionSheet sheet(*app_, createPageSet(environment_.context()));
    showAndSettle(sheet);
    const int titleBar = sheet.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    EXPECT_LE(sheet.width(), screen.width());
    EXPECT_LE(sheet.height() + titleBar, screen.height());
    for (int i = 0; i < sheet.pageCount(); ++i) {
        sheet.setCurrentPage(i);
        QApplication::processEvents();
        const KorvelPage* page = sheet.page(i);
        EXPECT_EQ(extent(page->size().expandedTo(page->minimumSizeHint())), extent(page->size()))
            << GetParam() << " " << page->title().toStdString();
    }
}

TEST_P(ShippedLanguages, EveryPageShowsItsCaptionsWholeAndApart) {
    COptionSheet sheet(*app_, createPageSet(environment_.context()));
    showAndSettle(sheet);
    ASSERT_EQ(sheet.pageCount(), 8);
    // The transfer page's status line with the longest message it shows.
    auto* status = sheet.findChild<QLabel*>("statusLine");
    ASSERT_NE(status, nullptr);
    status->setText(toQt(app_->texts().linkFailureMessage()));
    EXPECT_TRUE(sheet.windowTitle().endsWith(
        QString::fromStdString(kVersionWords.at(GetParam()) + " 3.7.3")))
        << sheet.windowTitle().toStdString();
    for (int i = 0; i < sheet.pageCount(); ++i) {
        sheet.findChild<QTabWidget*>()->setCurrentIndex(i);
        QApplication::processEvents();
        expectCaptionsWholeAndApart(
            &sheet, std::string(GetParam()) + " " + sheet.page(i)->title().toStdString());
    }
}

TEST_P(ShippedLanguages, DialogsShowTheirCaptionsWholeAndApart) {
    AboutBox about(*app_);
    showAndSettle(about);
    expectCaptionsWholeAndApart(&about, std::string(GetParam()) + " About");

    CDirectoryChooser chooser(*app_);
    showAndSettle(chooser);
    expectCaptionsWholeAndApart(&chooser, std::string(GetParam()) + " directory chooser");

    test::SimulatedGaugeSetup gauge(environment_.path("gauge"));
    DemoGaugePanel panel(app_->texts(), gauge.gauge, std::make_shared<sim::BootModeGauge>(),
                         nullptr);
    showAndSettle(panel);
    expectCaptionsWholeAndApart(&panel, std::string(GetParam()) + " demo panel");

    // The history's Thinnest... list shows every heading whole, nothing scrolled aside.
    HistoryThinnestDialog thinnest(app_->texts(), nullptr);
    showAndSettle(thinnest);
    expectCaptionsWholeAndApart(&thinnest, std::string(GetParam()) + " thinnest");
    const QTreeWidget* list = thinnest.findChild<QTreeWidget*>();
    EXPECT_LE(list->header()->length(), list->viewport()->width()) << GetParam();

    // The B-scan sample shows the most controls of the data view.
    test::RecordingVoice voice;
    DataViewDialog view(resources() + "/samples/BSCAN1.CSV", app_->texts(), nullptr, &voice);
    showAndSettle(view);
    expectCaptionsWholeAndApart(&view, std::string(GetParam()) + " data view");
    const QString surveyMap = toQt(app_->texts().caption(Screen::DataView, "IDC_BTN_SURVEY_MAP"));
    for (auto* button : view.findChildren<QPushButton*>()) {
        if (button->text() == surveyMap) {
            button->click();
        }
    }
    QApplication::processEvents();
    expectOwnAltKeys(&view, std::string(GetParam()) + " survey map");
}

INSTANTIATE_TEST_SUITE_P(All, ShippedLanguages, ::testing::ValuesIn(kLanguages));

// Qt's standard buttons follow the chosen language once its translation is installed.
TEST(QtTranslationsTest, StandardButtonsSpeakTheChosenLanguage) {
    struct Case {
        const char* code;
        const char* locale;
    } cases[] = {{"DEU", "de_DE"}, {"FRA", "fr_FR"}, {"ESP", "es_ES"},
                 {"PTB", "pt_BR"}, {"CHS", "zh_CN"}, {"deu", "de_DE"}};
    for (const auto& c : cases) {
        EXPECT_EQ(localeOfLanguageCode(c.code).toStdString(), c.locale);
    }
    EXPECT_TRUE(localeOfLanguageCode("XYZ").isEmpty());
    EXPECT_FALSE(installQtTranslations("XYZ"));

    QDialogButtonBox english(QDialogButtonBox::Yes | QDialogButtonBox::No);
    const QString englishYes = english.button(QDialogButtonBox::Yes)->text();
    const QLocale before;
    ASSERT_TRUE(installQtTranslations("DEU"));
    // The file dialog writes sizes and dates by the default locale.
    EXPECT_EQ(QLocale().toString(6.01).toStdString(), "6,01");
    QDialogButtonBox german(QDialogButtonBox::Yes | QDialogButtonBox::No |
                            QDialogButtonBox::Cancel);
    EXPECT_EQ(german.button(QDialogButtonBox::Yes)->text().toStdString(), "&Ja");
    EXPECT_EQ(german.button(QDialogButtonBox::No)->text().toStdString(), "&Nein");
    EXPECT_EQ(german.button(QDialogButtonBox::Cancel)->text().toStdString(), "Abbrechen");
    EXPECT_NE(german.button(QDialogButtonBox::Yes)->text(), englishYes);
    ASSERT_TRUE(installQtTranslations("ENU"));
    EXPECT_EQ(QLocale().toString(6.01).toStdString(), "6.01");
    // The other tests of this program expect Qt's English texts and the starting locale.
    QLocale::setDefault(before);
    for (auto* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

}  // namespace
}  // namespace korvel

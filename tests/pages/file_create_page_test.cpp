#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/platform.h"
#include "pages/file_create_page.h"
#include "tests/support/page_environment.h"
#include "tests/support/recording_voice.h"

namespace korvel {
namespace {

class FileCreatePageTest : public testing::Test {
  protected:
    void SetUp() override {
        environment.start();
        page = std::make_unique<CFileCreatePage>(environment.context());
        page->setVoice(&voice);
        page->ensureInitialised();
    }

    QLineEdit* edit(CreateBox which) const { return qobject_cast<QLineEdit*>(page->box(which)); }
    QComboBox* list(CreateBox which) const { return qobject_cast<QComboBox*>(page->box(which)); }
    QStringList items(CreateBox which) const {
        QStringList texts;
        for (int i = 0; i < list(which)->count(); ++i) {
            texts << list(which)->itemText(i);
        }
        return texts;
    }
    void chooseType(const QString& type) { page->typeList()->setCurrentText(type); }
    void type(CreateBox which, const QString& text) { edit(which)->setText(text); }

    test::PageEnvironment environment;
    test::RecordingVoice voice;
    std::unique_ptr<CFileCreatePage> page;
};

TEST_F(FileCreatePageTest, StartsWithTheListsAndTheLinearBoxes) {
    EXPECT_EQ(page->title(), "File Create");
    EXPECT_EQ(page->productList()->currentText(), "Color Corrosion Gage");
    EXPECT_EQ(page->productList()->count(), 4);
    EXPECT_EQ(page->typeList()->currentText(), "LINEAR");
    EXPECT_EQ(page->saveList()->currentText(), "THK ONLY");
    EXPECT_EQ(page->createButton()->text(), "&Create File");
}

TEST_F(FileCreatePageTest, BoxStatePerType) {
    const std::vector<CreateBox> all = {
        CreateBox::FileName,  CreateBox::Start,     CreateBox::End,     CreateBox::StartCol,
        CreateBox::EndCol,    CreateBox::StartRow,  CreateBox::EndRow,  CreateBox::StartElev,
        CreateBox::EndElev,   CreateBox::StartTube, CreateBox::EndTube, CreateBox::FirstInc,
        CreateBox::SecondInc, CreateBox::TestPts};
    struct Case {
        QString type;
        std::set<CreateBox> enabled;
        QStringList firstInc;
        QString firstSelected;
        QString secondSelected;
        QStringList testPts;
    } cases[] = {
        {"2D",
         {CreateBox::StartCol, CreateBox::EndCol, CreateBox::StartRow, CreateBox::EndRow,
          CreateBox::FirstInc},
         {"ROW", "COL"},
         "ROW",
         "COL",
         {}},
        {"3D",
         {CreateBox::StartCol, CreateBox::EndCol, CreateBox::StartRow, CreateBox::EndRow,
          CreateBox::FirstInc, CreateBox::SecondInc, CreateBox::StartElev, CreateBox::EndElev},
         {"ROW", "COL", "ELEV"},
         "ROW",
         "COL",
         {}},
        {"BOILER",
         {CreateBox::FirstInc, CreateBox::SecondInc, CreateBox::StartElev, CreateBox::EndElev,
          CreateBox::StartTube, CreateBox::EndTube, CreateBox::TestPts},
         {"TEST PTS", "TUBE", "ELEV"},
         "TEST PTS",
         "TUBE",
         {"N-E-S-W", "L-C-R", "L-C-R-B", "L-R", "T-L-B-R", "0-90-180-270"}},
        // LINEAR leaves the lists as they were (here: BOILER's), disabled.
        {"LINEAR",
         {CreateBox::Start, CreateBox::End},
         {"TEST PTS", "TUBE", "ELEV"},
         "TEST PTS",
         "TUBE",
         {"N-E-S-W", "L-C-R", "L-C-R-B", "L-R", "T-L-B-R", "0-90-180-270"}},
    };
    for (const Case& c : cases) {
        chooseType(c.type);
        for (CreateBox which : all) {
            const bool expected = which == CreateBox::FileName || c.enabled.count(which) > 0;
            EXPECT_EQ(page->box(which)->isEnabled(), expected)
                << c.type.toStdString() << " box " << static_cast<int>(which);
        }
        EXPECT_EQ(items(CreateBox::FirstInc), c.firstInc) << c.type.toStdString();
        EXPECT_EQ(items(CreateBox::SecondInc), c.firstInc) << c.type.toStdString();
        EXPECT_EQ(list(CreateBox::FirstInc)->currentText(), c.firstSelected);
        EXPECT_EQ(list(CreateBox::SecondInc)->currentText(), c.secondSelected);
        EXPECT_EQ(items(CreateBox::TestPts), c.testPts) << c.type.toStdString();
    }
}

TEST_F(FileCreatePageTest, FailedChecksSpeakAndPutTheFocusOnTheBox) {
    struct Case {
        QString type, save, name, start, end;
        test::Said said;
        CreateBox focus;
    } cases[] = {
        {"LINEAR",
         "THK ONLY",
         "",
         "1",
         "10",
         {MessageKind::Warning, "Enter valid file name"},
         CreateBox::FileName},
        {"LINEAR",
         "THK ONLY",
         "PIPE_1",
         "1",
         "10",
         {MessageKind::Error,
          "Invalid file name. Valid file name can be 16 characters or less containing "
          "0-9,A-Z(upper case),+,-"},
         CreateBox::FileName},
        {"LINEAR",
         "THK ONLY",
         "PIPE",
         "1",
         "5001",
         {MessageKind::Warning, "Enter value as 1-5000 or A-ZZ"},
         CreateBox::End},
        {"LINEAR",
         "THK ONLY",
         "PIPE",
         "5",
         "B",
         {MessageKind::Warning, "Mismatch in value type for Start and End"},
         CreateBox::Start},
        {"LINEAR",
         "THK+ASCAN",
         "PIPE",
         "1",
         "161",
         {MessageKind::Warning,
          "(End - Start + 1) cannot be more than 160 for Save Mode THK+ASCAN"},
         CreateBox::Start},
    };
    for (const Case& c : cases) {
        voice.said.clear();
        chooseType(c.type);
        page->saveList()->setCurrentText(c.save);
        type(CreateBox::FileName, c.name);
        type(CreateBox::Start, c.start);
        type(CreateBox::End, c.end);
        page->createButton()->click();
        ASSERT_EQ(voice.said.size(), 1u) << c.name.toStdString() << " " << c.end.toStdString();
        EXPECT_EQ(voice.said[0], c.said);
        EXPECT_EQ(page->focusWidget(), page->box(c.focus)) << c.said.text;
        // Its text is selected, so that typing replaces it.
        EXPECT_EQ(edit(c.focus)->selectedText(), edit(c.focus)->text()) << c.said.text;
    }
    // A list box with a text of its own: that text is selected.
    chooseType("3D");
    for (CreateBox start : {CreateBox::StartCol, CreateBox::StartRow, CreateBox::StartElev}) {
        type(start, "1");
    }
    for (CreateBox end : {CreateBox::EndCol, CreateBox::EndRow, CreateBox::EndElev}) {
        type(end, "2");
    }
    list(CreateBox::SecondInc)->setCurrentText("ROW");
    voice.said.clear();
    page->createButton()->click();
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0].text, "1st Inc value cannot be equal to 2nd Inc value");
    EXPECT_EQ(page->focusWidget(), page->box(CreateBox::FirstInc));
    EXPECT_EQ(list(CreateBox::FirstInc)->lineEdit()->selectedText(), "ROW");
    EXPECT_FALSE(isDirectory(environment.path("work/data")));
}

TEST_F(FileCreatePageTest, CreatesTheFileInTheDataFolderAndAsksBeforeOverwriting) {
    chooseType("LINEAR");
    type(CreateBox::FileName, "PIPE-1");
    type(CreateBox::Start, "A");
    type(CreateBox::End, "ZZ");
    page->createButton()->click();
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0].kind, MessageKind::Notice);
    EXPECT_EQ(voice.said[0].text, "Successfully created file  PIPE-1.CSV");
    const std::string created = environment.read("work/data/PIPE-1.CSV");
    EXPECT_EQ(created.rfind("Product:40-102,Version:v1.09A,\r\n", 0), 0u) << created;

    voice.answers = {false};
    page->createButton()->click();
    ASSERT_EQ(voice.said.size(), 2u);
    EXPECT_EQ(voice.said[1],
              (test::Said{MessageKind::Question,
                          "File already exists. Do you want to overwrite?\n\nPIPE-1.CSV"}));
    EXPECT_EQ(environment.read("work/data/PIPE-1.CSV"), created);
    // The boxes keep their texts.
    EXPECT_EQ(edit(CreateBox::FileName)->text(), "PIPE-1");
}

TEST_F(FileCreatePageTest, TypedLettersBecomeUpperCase) {
    QLineEdit* name = edit(CreateBox::FileName);
    name->setFocus();
    emit name->textEdited("pipe-1");  // as the box reports a typed text
    EXPECT_EQ(name->text(), "PIPE-1");
}

}  // namespace
}  // namespace korvel

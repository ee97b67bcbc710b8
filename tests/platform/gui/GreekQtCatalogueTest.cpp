#include "platform/gui/GreekQtCatalogue.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace pyrostat {
namespace {

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

// A translated text must keep what Qt fills in or acts on: its %1 and %2, one
// mnemonic when the source has one, its line breaks, its trailing colon.
TEST(GreekQtCatalogueTexts, KeepPlaceholdersMnemonicsAndShape) {
    std::set<std::string> keys;
    for (const GreekQtEntry& e : GreekQtEntries()) {
        const std::string source = e.source;
        const std::string greek = e.greek;
        SCOPED_TRACE(std::string(e.context) + " / " + source);
        EXPECT_TRUE(keys.insert(std::string(e.context) + "|" + source).second) << "given twice";
        EXPECT_FALSE(greek.empty());
        for (const char* arg : {"%1", "%2"}) {
            EXPECT_EQ(Count(source, arg), Count(greek, arg)) << arg;
        }
        EXPECT_EQ(Count(source, "&"), Count(greek, "&"));
        EXPECT_EQ(Count(source, "\n"), Count(greek, "\n"));
        EXPECT_EQ(source.back() == ':', greek.back() == ':');
        EXPECT_EQ(source.back() == ' ', greek.back() == ' ');
        // A mnemonic stands before a letter, never at the end.
        if (const size_t amp = greek.find('&'); amp != std::string::npos) {
            EXPECT_LT(amp + 1, greek.size());
        }
    }
    EXPECT_GT(keys.size(), 200u);
}

TEST(GreekQtCatalogueTexts, LookupIsByContextAndSource) {
    EXPECT_STREQ(GreekQtText("QPlatformTheme", "Cancel"), "Άκυρο");
    EXPECT_STREQ(GreekQtText("QPrintPreviewDialog", "Print"), "Εκτύπωση");
    EXPECT_EQ(GreekQtText("QPrintPreviewDialog", "Cancel"), nullptr);
    EXPECT_EQ(GreekQtText("QPlatformTheme", "cancel"), nullptr);
    EXPECT_EQ(GreekQtText(nullptr, "Cancel"), nullptr);
    EXPECT_EQ(GreekQtText("QPlatformTheme", nullptr), nullptr);
}

// Every caption of a dialog that is English: only Latin letters and no Greek.
// Paper sizes and units in the drop-down lists keep their international names
// and are not looked at; "OK" is what Greek dialogs say too.
QStringList EnglishCaptions(QWidget& dialog) {
    QStringList english;
    auto look = [&](const QString& text) {
        bool letter = false;
        for (const QChar c : text) {
            if (c.unicode() > 127) {
                return;
            }
            letter = letter || c.isLetter();
        }
        if (letter && text != QStringLiteral("OK")) {
            english.push_back(text);
        }
    };
    look(dialog.windowTitle());
    for (const QLabel* w : dialog.findChildren<QLabel*>()) {
        look(w->text());
    }
    for (const QAbstractButton* w : dialog.findChildren<QAbstractButton*>()) {
        look(w->text());
    }
    for (const QGroupBox* w : dialog.findChildren<QGroupBox*>()) {
        look(w->title());
    }
    for (const QTabWidget* w : dialog.findChildren<QTabWidget*>()) {
        for (int i = 0; i < w->count(); ++i) {
            look(w->tabText(i));
        }
    }
    return english;
}

// The catalogue installed in the application: the standard dialogs built
// afterwards show Greek.
class GreekQtDialogs : public ::testing::Test {
protected:
    void SetUp() override { QCoreApplication::installTranslator(&catalogue_); }
    void TearDown() override { QCoreApplication::removeTranslator(&catalogue_); }

private:
    GreekQtCatalogue catalogue_;
};

TEST_F(GreekQtDialogs, MessageBoxButtonsAreGreek) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("ΠΡΟΣΟΧΗ"), QStringLiteral(";"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Ναι"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("Ό&χι"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Άκυρο"));
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Άκυρο"));
}

TEST_F(GreekQtDialogs, FileDialogLabelsAndButtonsAreGreek) {
    QFileDialog dialog(nullptr, QStringLiteral("ΑΝΑΚΛΗΣΗ ΑΡΧΕΙΟΥ ΜΕΛΕΤΗΣ"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    std::set<QString> texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        texts.insert(label->text());
    }
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
        texts.insert(button->text());
    }
    EXPECT_TRUE(texts.count(QStringLiteral("Όνο&μα αρχείου:")));
    EXPECT_TRUE(texts.count(QStringLiteral("Αναζήτηση σε:")));
    EXPECT_TRUE(texts.count(QStringLiteral("Αρχεία τύπου:")));
    EXPECT_TRUE(texts.count(QStringLiteral("&Αποθήκευση")));
    EXPECT_TRUE(texts.count(QStringLiteral("Άκυρο")));
    EXPECT_FALSE(texts.count(QStringLiteral("File &name:")));
    EXPECT_EQ(EnglishCaptions(dialog).join(QStringLiteral(" | ")).toStdString(), "");
}

TEST_F(GreekQtDialogs, FileListColumnsAndFolderTypeAreGreek) {
    // The list of the file dialog: its column titles and the type it gives a folder.
    QFileSystemModel model;
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Όνομα"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Μέγεθος"));
    EXPECT_EQ(model.headerData(3, Qt::Horizontal).toString(),
              QStringLiteral("Ημερομηνία τροποποίησης"));
    QFileIconProvider icons;
    EXPECT_EQ(icons.type(QFileInfo(QDir::tempPath())), QStringLiteral("Φάκελος"));
}

TEST_F(GreekQtDialogs, PrintAndPageSetupDialogsHaveNoEnglishCaption) {
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    QPrintDialog print(&printer);
    EXPECT_EQ(EnglishCaptions(print).join(QStringLiteral(" | ")).toStdString(), "");
    QPageSetupDialog setup(&printer);
    EXPECT_EQ(EnglishCaptions(setup).join(QStringLiteral(" | ")).toStdString(), "");
}

// Without the catalogue the same box speaks English: the Greek above came
// from it and not from somewhere else.
TEST(GreekQtCatalogueAbsent, MessageBoxStaysEnglish) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("ΠΡΟΣΟΧΗ"), QStringLiteral(";"),
                    QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Yes"));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    QPageSetupDialog setup(&printer);
    EXPECT_TRUE(EnglishCaptions(setup).contains(QStringLiteral("Orientation")));
}

} // namespace
} // namespace pyrostat

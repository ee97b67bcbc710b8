// Turns the user manual's Markdown source into "Pyrostat.pdf":
//   pyrostat_manualpdf SOURCE.md OUTPUT.pdf
// The text is laid out by QTextDocument and written by QPdfWriter on A4
// pages, numbered at the foot; the page margins (2 cm) are the ones
// QTextDocument::print gives a document without a page size of its own.

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QTextTableFormat>

#include <cstdio>

namespace {

// Markdown tables come without rules; the manual's tables read better with
// thin borders, a little padding and the full width of the page.
void FormatTables(QTextFrame* frame) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            QTextTableFormat format = table->format();
            format.setBorder(0.8);
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorderBrush(QBrush(QColor(90, 90, 90)));
            format.setBorderCollapse(false);
            format.setCellPadding(3);
            format.setCellSpacing(0);
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            format.setHeaderRowCount(1);
            table->setFormat(format);
            for (int column = 0; column < table->columns(); ++column) {
                QTextTableCell cell = table->cellAt(0, column);
                QTextCharFormat head = cell.format();
                head.setBackground(QColor(225, 232, 240));
                cell.setFormat(head);
            }
        }
        FormatTables(child);
    }
}

// Some air above the headings and between the paragraphs.
void SpaceBlocks(QTextDocument& document) {
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        if (format.headingLevel() > 0) {
            format.setTopMargin(format.headingLevel() == 1 ? 0 : 14);
            format.setBottomMargin(6);
        } else if (format.bottomMargin() < 4) {
            format.setBottomMargin(4);
        }
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOURCE.md OUTPUT.pdf\n", argv[0]);
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QString markdown = QString::fromUtf8(source.readAll());

    QTextDocument document;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(9.5);
    document.setDefaultFont(font);
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    FormatTables(document.rootFrame());
    SpaceBlocks(document);

    QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
    writer.setTitle(QStringLiteral("Pyrostat — Εγχειρίδιο Χρήσης"));
    writer.setCreator(QStringLiteral("Pyrostat"));
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    document.print(&writer);
    if (QFile(QString::fromLocal8Bit(argv[2])).size() == 0) {
        std::fprintf(stderr, "nothing was written to %s\n", argv[2]);
        return 1;
    }
    return 0;
}

// Renders the manual, written in Markdown, to a PDF file:
//     make-manual INPUT.md OUTPUT.pdf
// Pictures named in the text are found relative to the input file. Runs
// without a display (the offscreen platform unless another is chosen).
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: make-manual INPUT.md OUTPUT.pdf\n");
        return 2;
    }
    const QString input = args.at(1);
    const QString output = args.at(2);

    QFile source(input);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make-manual: cannot read %s: %s\n", qPrintable(input),
                     qPrintable(source.errorString()));
        return 1;
    }
    QTextDocument document;
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(input).absolutePath() + QLatin1Char('/')));
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    document.setMarkdown(QString::fromUtf8(source.readAll()), QTextDocument::MarkdownDialectGitHub);

    // Commands and examples in a smaller fixed-pitch type, so that a command
    // line fits on one line of the page.
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!block.blockFormat().hasProperty(QTextFormat::BlockCodeLanguage))
            continue;
        QTextCursor cursor(block);
        cursor.select(QTextCursor::BlockUnderCursor);
        QTextCharFormat small;
        small.setFontPointSize(8);
        cursor.mergeCharFormat(small);
    }

    QPdfWriter pdf(output);
    pdf.setTitle(QStringLiteral("Vellacord manual"));
    pdf.setCreator(QStringLiteral("make-manual"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter));
    // print() lays the text out on the pages and numbers them.
    document.print(&pdf);
    if (QFileInfo(output).size() == 0) {
        std::fprintf(stderr, "make-manual: cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}

// Renders the manual, written in Markdown, to a PDF file:
//     make-manual INPUT.md OUTPUT.pdf
// Pictures named in the text are found relative to the input file and
// scaled down to the width of the text; a missing picture fails the run. Runs
// without a display (the offscreen platform unless another is chosen).
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>
#include <cstdio>

namespace {

// Loads every picture the text names from the manual's folder into the
// document and scales down those wider than the text. False, with a message,
// when a picture cannot be read: the manual is never made without them.
bool placePictures(QTextDocument& document, const QString& folder, qreal textWidth) {
    struct Placement {
        int position;
        QTextImageFormat format;
    };
    QList<Placement> placements;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QString path = QDir(folder).filePath(format.name());
            const QImage picture(path);
            if (picture.isNull()) {
                std::fprintf(stderr, "make-manual: cannot read the picture %s\n", qPrintable(path));
                return false;
            }
            document.addResource(QTextDocument::ImageResource, QUrl(format.name()), picture);
            const qreal scale = std::min<qreal>(1.0, textWidth / picture.width());
            format.setWidth(picture.width() * scale);
            format.setHeight(picture.height() * scale);
            placements.append({fragment.position(), format});
        }
    }
    for (const Placement& placement : placements) {
        QTextCursor cursor(&document);
        cursor.setPosition(placement.position);
        cursor.setPosition(placement.position + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(placement.format);
    }
    return true;
}

} // namespace

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
    // The text is laid out on pages of the printable area, in the units of a
    // screen of 96 dots an inch that the pictures' sizes are counted in.
    const QSizeF page = pdf.pageLayout().paintRect(QPageLayout::Point).size() * (96.0 / 72.0);
    document.setPageSize(page);
    if (!placePictures(document, QFileInfo(input).absolutePath(), page.width() - 8))
        return 1;
    // print() lays the text out on the pages and numbers them.
    document.print(&pdf);
    if (QFileInfo(output).size() == 0) {
        std::fprintf(stderr, "make-manual: cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}

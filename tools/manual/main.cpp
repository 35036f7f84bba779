// Turns the user manual's HTML source into the PDF that ships beside the program:
//   quintara-manual <source.html> <pictures folder> <output.pdf>
// The pictures are those of the screenshot tool. A picture the source names but
// the folder lacks (or cannot decode) stops the build, so the manual never ships
// with holes in it. The paragraph holding only "[[INDICE]]" becomes the table of
// contents: every chapter (h1) and section (h2) with its page number.
#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextLayout>
#include <QTextTable>

#include <cmath>
#include <cstdio>

namespace {

// The page is laid out in pixels of 1/96 inch; the painter scales to the PDF's resolution.
constexpr qreal kDpi = 96.0;
constexpr qreal kMm = kDpi / 25.4;
const QSizeF kPage(210 * kMm, 297 * kMm);
const QMarginsF kMargins(20 * kMm, 18 * kMm, 20 * kMm, 22 * kMm);
const QString kTocMarker = QStringLiteral("[[INDICE]]");
const QString kFooterTitle = QStringLiteral("Quintara - Guida all'utilizzo del software");

int fail(const QString &message)
{
    std::fprintf(stderr, "quintara-manual: %s\n", qPrintable(message));
    return 1;
}

struct Heading
{
    int level;
    QString text;
    QTextBlock block;
};

QList<Heading> headings(const QTextDocument &doc)
{
    QList<Heading> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const int level = b.blockFormat().headingLevel();
        if ((level == 1 || level == 2) && !b.text().trimmed().isEmpty())
            out.append({level, b.text().trimmed(), b});
    }
    return out;
}

int pageOf(const QTextDocument &doc, const QTextBlock &block)
{
    // A block moved to a new page starts on its first pixel row.
    const qreal top = doc.documentLayout()->blockBoundingRect(block).top();
    return int((top + 0.5) / doc.pageSize().height()) + 1;
}

// Every picture the text names, loaded from the folder and handed to the document.
bool loadPictures(QTextDocument &doc, const QDir &folder, QString *missing)
{
    QStringList names;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.isImageFormat() && !names.contains(f.toImageFormat().name()))
                names.append(f.toImageFormat().name());
        }
    }
    for (const QString &name : names) {
        const QImage image(folder.filePath(name));
        if (image.isNull()) {
            *missing = name;
            return false;
        }
        doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
    }
    doc.markContentsDirty(0, doc.characterCount());
    return true;
}

// The page a point of the laid-out document lies on, 0-based.
int pageIndex(const QTextDocument &doc, qreal y) { return int(y / doc.pageSize().height()); }

// Moves to the next page, whole, every paragraph whose lines would be split by a
// page's end (with the heading just above it, which must not stay alone at the
// foot of a page). Drawing a page asks the layout for what lies on the page,
// and for a paragraph that began on the page before, the layout draws that
// paragraph's last line above the page as well: the clip hides it on paper,
// but its text goes into the PDF, where search and copy find the line twice.
// A paragraph that starts on its page has no line above it to draw. Paragraphs
// in tables, and any longer than a page, are left where they are.
void keepParagraphsWhole(QTextDocument &doc)
{
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    // Each move lays out what follows again, so the search starts over after
    // it; every paragraph moves at most once.
    for (bool moved = true; moved;) {
        moved = false;
        // The layout is otherwise finished lazily: lay out everything first.
        (void)doc.pageCount();
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            // A boxed note (a table of one cell) moves whole, like a paragraph.
            if (QTextTable *box = QTextCursor(b).currentTable(); box && box->rows() == 1 && box->columns() == 1) {
                const QRectF r = layout->frameBoundingRect(box);
                if (pageIndex(doc, r.top()) == pageIndex(doc, r.bottom() - 1) || r.height() > doc.pageSize().height()
                    || (box->format().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore))
                    continue;
                QTextTableFormat f = box->format();
                f.setPageBreakPolicy(f.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
                box->setFormat(f);
                moved = true;
                break;
            }
            const QTextLayout *lines = b.layout();
            if (!lines || lines->lineCount() < 2 || QTextCursor(b).currentTable()
                || (b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore))
                continue;
            const qreal top = layout->blockBoundingRect(b).top();
            const QTextLine first = lines->lineAt(0);
            const QTextLine last = lines->lineAt(lines->lineCount() - 1);
            const int firstPage = pageIndex(doc, top + first.y());
            if (firstPage == pageIndex(doc, top + last.y()))
                continue;
            if (last.y() + last.height() - first.y() > doc.pageSize().height())
                continue;
            QTextBlock target = b;
            const QTextBlock above = b.previous();
            if (above.isValid() && above.blockFormat().headingLevel() > 0
                && pageIndex(doc, layout->blockBoundingRect(above).top()) == firstPage)
                target = above;
            QTextBlockFormat f;
            f.setPageBreakPolicy(target.blockFormat().pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(target).mergeBlockFormat(f);
            moved = true;
            break;
        }
    }
}

// Replaces the marker paragraph with a two-column table of headings and pages.
// The page numbers are written once the table is in place, so adding it cannot
// move the pages it names.
bool buildContents(QTextDocument &doc)
{
    QTextBlock marker;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.text().trimmed() == kTocMarker)
            marker = b;
    if (!marker.isValid())
        return false;
    const QList<Heading> entries = headings(doc);

    QTextCursor cursor(marker);
    cursor.select(QTextCursor::BlockUnderCursor);
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();

    QTextTableFormat tf;
    tf.setBorder(0);
    tf.setCellPadding(0.5);
    tf.setCellSpacing(0);
    tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    tf.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 88),
                                  QTextLength(QTextLength::PercentageLength, 12)});
    QTextTable *table = cursor.insertTable(int(entries.size()), 2, tf);
    QList<QTextCursor> pageCells;
    for (int i = 0; i < entries.size(); ++i) {
        const Heading &h = entries[i];
        QTextCharFormat text;
        text.setFontPointSize(h.level == 1 ? 11.5 : 10);
        text.setFontWeight(h.level == 1 ? QFont::Bold : QFont::Normal);
        text.setForeground(h.level == 1 ? QColor(0x1B, 0x33, 0x58) : QColor(0x1E, 0x2B, 0x3A));
        QTextCursor title = table->cellAt(i, 0).firstCursorPosition();
        QTextBlockFormat indent;
        indent.setLeftMargin(h.level == 1 ? 0 : 22);
        indent.setTopMargin(h.level == 1 && i > 0 ? 4 : 0);
        title.setBlockFormat(indent);
        title.insertText(h.text, text);
        QTextCursor page = table->cellAt(i, 1).firstCursorPosition();
        QTextBlockFormat right;
        right.setAlignment(Qt::AlignRight);
        right.setTopMargin(indent.topMargin());
        page.setBlockFormat(right);
        page.insertText(QStringLiteral("000"), text);
        pageCells.append(table->cellAt(i, 1).firstCursorPosition());
    }
    // With the table in place the pages are final once no paragraph is split.
    keepParagraphsWhole(doc);
    // With the table laid out to the end (layout is otherwise finished lazily),
    // the pages of the headings are final.
    (void)doc.pageCount();
    const QList<Heading> placed = headings(doc);
    for (int i = 0; i < placed.size() && i < pageCells.size(); ++i) {
        QTextCursor c = pageCells[i];
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        const QTextCharFormat f = c.charFormat();
        c.insertText(QString::number(pageOf(doc, placed[i].block)), f);
    }
    return true;
}

void drawFooter(QPainter &p, int page, int pages)
{
    const qreal y = kPage.height() - kMargins.bottom() + 8 * kMm;
    p.setPen(QPen(QColor(0x6F, 0xA8, 0xDC), 0.8));
    p.drawLine(QPointF(kMargins.left(), y - 3 * kMm), QPointF(kPage.width() - kMargins.right(), y - 3 * kMm));
    // The painter works in 1/96 inch, so sizes are given in those pixels.
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(11);
    p.setFont(f);
    p.setPen(QColor(0x1B, 0x33, 0x58));
    const QRectF line(kMargins.left(), y - 1 * kMm, kPage.width() - kMargins.left() - kMargins.right(), 6 * kMm);
    p.drawText(line, Qt::AlignLeft | Qt::AlignTop, kFooterTitle);
    p.drawText(line, Qt::AlignRight | Qt::AlignTop, QStringLiteral("Pagina %1 di %2").arg(page).arg(pages));
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <source.html> <pictures folder> <output.pdf>\n", argv[0]);
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QDir pictures(QString::fromLocal8Bit(argv[2]));
    const QString output = QString::fromLocal8Bit(argv[3]);

    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(source));
    const QString html = QString::fromUtf8(in.readAll());

    QTextDocument doc;
    doc.setDocumentMargin(0);
    QFont base(QStringLiteral("Liberation Sans"));
    base.setPointSizeF(10.5);
    doc.setDefaultFont(base);
    // Whole pixels keep the page boundaries exact in the layout's fixed-point units.
    doc.setPageSize(QSizeF(std::floor(kPage.width() - kMargins.left() - kMargins.right()),
                           std::floor(kPage.height() - kMargins.top() - kMargins.bottom())));
    doc.setHtml(html);
    QString missing;
    if (!loadPictures(doc, pictures, &missing))
        return fail(QStringLiteral("picture %1 missing from %2").arg(missing, pictures.path()));
    if (!buildContents(doc))
        return fail(QStringLiteral("no %1 paragraph for the table of contents").arg(kTocMarker));

    QPdfWriter writer(output);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(300);
    writer.setTitle(kFooterTitle);
    writer.setCreator(QStringLiteral("Quintara"));
    QPainter p;
    if (!p.begin(&writer))
        return fail(QStringLiteral("cannot write %1").arg(output));
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(writer.resolution() / kDpi, writer.resolution() / kDpi);

    const int pages = doc.pageCount();
    const QSizeF body = doc.pageSize();
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            writer.newPage();
        p.save();
        p.translate(kMargins.left(), kMargins.top() - i * body.height());
        // The layout is asked for what lies on the page by more than half a
        // pixel: a paragraph ending exactly at the page before's end is not
        // drawn again here (keepParagraphsWhole takes care of those that cross it).
        const QRectF page(0, i * body.height(), body.width(), body.height() - 0.5);
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = page.adjusted(0, 0.5, 0, 0);
        p.setClipRect(page);
        doc.documentLayout()->draw(&p, ctx);
        p.restore();
        if (i > 0) // the cover carries no footer
            drawFooter(p, i + 1, pages);
    }
    if (!p.end())
        return fail(QStringLiteral("cannot finish %1").arg(output));
    std::printf("wrote %s (%d pages)\n", qPrintable(output), pages);
    return 0;
}

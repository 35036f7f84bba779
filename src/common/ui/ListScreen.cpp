#include "ListScreen.h"

#include "FieldEdit.h"
#include "FormBuilder.h"
#include "RowList.h"
#include "UiPlatform.h"
#include "common/FindInList.h"
#include "output/ui/ReportOutput.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHash>
#include <QLabel>
#include <QPushButton>

#include <optional>

namespace {

// One remembered key per screen class, for the run of the program.
QHash<QByteArray, QString> &rememberedKeys()
{
    static QHash<QByteArray, QString> keys;
    return keys;
}

constexpr int kItemWidth = 1600;

QFont rowFont()
{
    QFont f(QStringLiteral("Courier New"));
    f.setPointSize(12);
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    return f;
}

} // namespace

ListScreen::ListScreen(QWidget *screen, QWidget *panel, const Places &places, const QString &printTitle)
    : QObject(screen), m_screen(screen), m_printTitle(printTitle)
{
    const QPoint at = places.instructions;
    Form::Controls c = Form::build(
        panel, {
                   {"lblRigo01", Form::Kind::Label,
                    QStringLiteral(
                        "Immettere una o più parole consecutive presenti nella scheda in elenco da cercare "
                        "e premere il pulsante Trova."),
                    at.x(), at.y(), places.instructionsWidth, 18},
                   {"lblRigo02", Form::Kind::Label,
                    QStringLiteral(
                        "Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, fare "
                        "di nuovo clic su Trova."),
                    at.x(), at.y() + 18, places.instructionsWidth, 18},
                   {"txtTrova",
                    Form::Kind::Edit,
                    {},
                    places.findEdit.x(),
                    places.findEdit.y(),
                    places.findEdit.width(),
                    places.findEdit.height()},
                   {"btnTrova", Form::Kind::Button, QStringLiteral("Trova"), places.findButton.x(),
                    places.findButton.y(), places.findButton.width(), places.findButton.height()},
                   {"lstRecords",
                    Form::Kind::List,
                    {},
                    places.list.x(),
                    places.list.y(),
                    places.list.width(),
                    places.list.height()},
               });
    m_line1 = c.get<QLabel>(QStringLiteral("lblRigo01"));
    m_line2 = c.get<QLabel>(QStringLiteral("lblRigo02"));
    m_findEdit = c.get<QLineEdit>(QStringLiteral("txtTrova"));
    m_findButton = c.get<QPushButton>(QStringLiteral("btnTrova"));
    m_list = c.get<RowList>(QStringLiteral("lstRecords"));

    QFont bold = m_findEdit->font();
    bold.setBold(true);
    bold.setPointSize(12);
    m_findEdit->setFont(bold);

    // The rows are columns built with blanks: one fixed-pitch font, black, for all.
    m_list->setFont(rowFont());
    QPalette pal = m_list->palette();
    pal.setColor(QPalette::Text, Qt::black);
    m_list->setPalette(pal);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    // Enter in the key field moves to "Trova"; Enter there then runs the search.
    if (auto *edit = qobject_cast<FieldEdit *>(m_findEdit))
        connect(edit, &FieldEdit::enterPressed, m_findButton,
                [this] { m_findButton->setFocus(Qt::OtherFocusReason); });
    connect(m_findButton, &QPushButton::clicked, this, &ListScreen::find);
    connect(m_list, &RowList::rowDoubleClicked, this,
            [this](int row) { Q_EMIT rowChosen(m_list->rows().position(row)); });

    screen->installEventFilter(this);
}

bool ListScreen::eventFilter(QObject *watched, QEvent *event)
{
    // Closing the screen clears its list.
    if (watched == m_screen && event->type() == QEvent::Close)
        clear();
    return QObject::eventFilter(watched, event);
}

void ListScreen::setRows(const RowTable &rows)
{
    // Items are at least 1600 pixels wide, and wide enough for the longest row
    // so a long note can still be scrolled to.
    const QFontMetrics metrics(m_list->font());
    const int width =
        std::max<int>(kItemWidth, int(rows.longestRow() + 1) * metrics.horizontalAdvance(QLatin1Char('M')));
    m_list->setUpdatesEnabled(false);
    m_list->setRows(rows, QSize(width, metrics.height() + 2));
    m_list->setUpdatesEnabled(true);
}

void ListScreen::setRows(const QList<ListRow> &rows) { setRows(RowTable::fromRows(rows)); }

const RowTable &ListScreen::rows() const { return m_list->rows(); }

void ListScreen::clear() { m_list->clearRows(); }

QStringList ListScreen::rowTexts() const { return m_list->rows().texts(); }

int ListScreen::rowCount() const { return int(m_list->rows().size()); }

int ListScreen::selectedRow() const
{
    const int row = m_list->currentRow();
    return row >= 0 && m_list->selectionModel()->isRowSelected(row) ? row : -1;
}

void ListScreen::selectRow(int row)
{
    m_list->selectRow(row);
}

void ListScreen::resetFind()
{
    setRememberedKey(QString());
    selectRow(0);
    m_findEdit->clear();
}

void ListScreen::find()
{
    // The rows are searched in their stored bytes, the key prepared once.
    const RowTable &rows = m_list->rows();
    std::optional<RowTable::Key> prepared;
    const auto matches = [&](int row, const QString &key) {
        if (!prepared)
            prepared.emplace(key);
        return rows.contains(row, *prepared);
    };
    const FindInList::Outcome o =
        FindInList::find(int(rows.size()), matches, selectedRow(), m_findEdit->text(), rememberedKey());
    if (o.emptyList) {
        UiPlatform::plain(m_screen,
                          QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        return;
    }
    selectRow(o.selected);
    setRememberedKey(o.key);
}

void ListScreen::print()
{
    ReportOutput::printList(m_screen, m_printTitle, rowTexts(), ListReport::kListTitle, m_printOrientation);
}

void ListScreen::setPrint(const QString &title, QPageLayout::Orientation orientation)
{
    m_printTitle = title;
    m_printOrientation = orientation;
}

// The class is looked up when needed, not at construction: a screen built by a
// shared base class is only its final class once its constructor has run.
QString ListScreen::rememberedKey() const
{
    return rememberedKeys().value(m_screen->metaObject()->className());
}

QString ListScreen::rememberedKey(const QByteArray &screenClass)
{
    return rememberedKeys().value(screenClass);
}

void ListScreen::setRememberedKey(const QString &key)
{
    rememberedKeys().insert(m_screen->metaObject()->className(), key);
}

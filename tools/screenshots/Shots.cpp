#include "Shots.h"

#include "checks/ui/TfrmCodFisc.h"
#include "checks/ui/TfrmIban.h"
#include "checks/ui/TfrmPartitaIva.h"
#include "common/ArchivePaths.h"
#include "common/RecordFile.h"
#include "common/TSchedaSocio.h"
#include "common/ui/PictureButton.h"
#include "common/ui/TfrmCalendario.h"
#include "common/ui/TfrmGuida.h"
#include "members/MemberCardReport.h"
#include "members/ui/PhotoFiles.h"
#include "members/ui/TfrmAnagrafica.h"
#include "members/ui/TfrmTrovaAnagrafica.h"
#include "members/ui/TfrmZoom.h"
#include "output/ListReport.h"
#include "output/ReportRenderer.h"
#include "output/ReportTemplate.h"
#include "output/ui/TfrmAllegaCartella.h"
#include "shell/ui/ScreenSet.h"
#include "SampleData.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadialGradient>
#include <QTest>

namespace {

// A portrait that looks like a photo: soft background, head and shoulders.
QImage samplePhoto()
{
    QImage img(480, 360, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient bg(240, 120, 400);
    bg.setColorAt(0, QColor(0xF4, 0xE9, 0xD8));
    bg.setColorAt(1, QColor(0x9C, 0xB4, 0xCC));
    p.fillRect(img.rect(), bg);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2E, 0x4A, 0x6B));
    p.drawEllipse(QRectF(120, 250, 240, 220));
    p.setBrush(QColor(0xE8, 0xC3, 0xA0));
    p.drawEllipse(QRectF(180, 90, 120, 150));
    p.setBrush(QColor(0x4A, 0x33, 0x22));
    p.drawChord(QRectF(176, 80, 128, 100), 0, 180 * 16);
    return img;
}

QString two(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

template <class T>
T *fresh(QWidget *owner = nullptr)
{
    return new T(owner);
}

// Renders the first page of a prepared report as a picture on a grey desk.
QWidget *pageWidget(const PreparedReport &report)
{
    auto *label = new QLabel;
    label->setPixmap(QPixmap::fromImage(ReportRenderer::pageImage(report, 0, 72)));
    label->setStyleSheet(QStringLiteral("background: #8a9bb0;"));
    label->setAlignment(Qt::AlignCenter);
    label->setFixedSize(label->pixmap().size() + QSize(32, 32));
    return label;
}

} // namespace

void writeSampleData()
{
    RecordFile<TSchedaSocio> file;
    if (!file.open(ArchivePaths::members()))
        return;
    const struct
    {
        const char *name, *town, *prov, *townCode, *office;
        bool female;
        int expiryDay, expiryMonth;
    } people[] = {
        {"Rossi Maria Grazia", "Perugia", "PG", "G478", "Presidente", true, 20, 3},
        {"Bianchi Laura", "Bologna", "BO", "A944", "Tesoriera", true, 2, 3},
        {"Esposito Giuseppe", "Napoli", "NA", "F839", "Socio ordinario", false, 28, 3},
        {"Ferrari Anna", "Modena", "MO", "F257", "Segretaria", true, 10, 1},
        {"Romano Luca", "Roma", "RM", "H501", "Consigliere", false, 30, 6},
        {"Colombo Francesca", "Milano", "MI", "F205", "Socio ordinario", true, 14, 3},
    };
    int n = 0;
    for (const auto &p : people) {
        TSchedaSocio s;
        s.Dipendente = QString::fromLatin1(p.name);
        s.Cittadinanza = QString::number(2024001 + n);
        s.Stipendio = QStringLiteral("35,00");
        s.Luogo = QString::fromLatin1(p.town);
        const QDate birth(1958 + n * 5, 1 + n, 3 + n * 4);
        s.DataNasc = birth.toString(QStringLiteral("dd/MM/yyyy"));
        const QString fullName = QString::fromLatin1(p.name);
        s.CodFisc = SampleData::taxCode(fullName.section(QLatin1Char(' '), 0, 0), fullName.section(QLatin1Char(' '), 1),
                                        birth, p.female, QString::fromLatin1(p.townCode));
        s.Citta = QString::fromLatin1(p.town);
        s.Prov = QString::fromLatin1(p.prov);
        s.Cap = QStringLiteral("0%1").arg(6100 + 1000 * n);
        s.Indirizzo = QStringLiteral("Via Garibaldi %1").arg(12 + n * 7);
        s.Familiari = QString::fromLatin1(p.office);
        s.Qualifiche = QStringLiteral("Istruttore");
        s.DataSca = QStringLiteral("%1/%2/2024").arg(two(p.expiryDay), two(p.expiryMonth));
        s.Preavviso = QStringLiteral("15");
        s.Recapito = QStringLiteral("075 55%1 21").arg(100 + n);
        s.Email = QString::fromLatin1(p.name).section(QLatin1Char(' '), 0, 0).toLower() + QStringLiteral("@esempio.it");
        s.Iban = QStringLiteral("IT60X0542811101000000123456");
        (void)file.append(s);
        ++n;
    }
    (void)PhotoFiles::writeJpeg(samplePhoto(), ArchivePaths::photo(1));
}

std::vector<Shot> extraShots()
{
    return {
        {QStringLiteral("card_member"),
         [](ScreenSet &s) -> QWidget * {
             auto *card = s.anagrafica();
             card->showNormal(); // showing empties the card: show first, then browse
             card->resize(card->panel()->size() + QSize(60, 60));
             QTest::mouseClick(card->findChild<PictureButton *>(QStringLiteral("cmdPrimo")), Qt::LeftButton);
             return card;
         }},
        {QStringLiteral("help_start_menu"),
         [](ScreenSet &) -> QWidget * {
             auto *g = fresh<TfrmGuida>();
             g->setPage(HelpPage::StartMenu);
             return g;
         },
         true},
        {QStringLiteral("attachments_filled"),
         [](ScreenSet &s) -> QWidget * {
             const struct
             {
                 const char *file, *description;
             } documents[] = {
                 {"Rossi_Maria_Grazia_domanda_2024.pdf", "Domanda di iscrizione per il 2024"},
                 {"Rossi_Maria_Grazia_certificato.pdf", "Certificato medico, valido fino al 31/12/2024"},
             };
             QDir().mkpath(ArchivePaths::attachments());
             auto *d = fresh<TfrmAllegaCartella>(s.anagrafica());
             d->setCard(TfrmAllegaCartella::Card::Member);
             int slot = 0;
             for (const auto &doc : documents) {
                 QFile f(QDir(ArchivePaths::attachments()).filePath(QString::fromLatin1(doc.file)));
                 if (f.open(QIODevice::WriteOnly))
                     f.write("%PDF-1.4\n");
                 d->setSlot(++slot, QString::fromLatin1(doc.file), QString::fromUtf8(doc.description));
             }
             return d;
         },
         true},
        {QStringLiteral("zoom"),
         [](ScreenSet &) -> QWidget * {
             auto *z = fresh<TfrmZoom>();
             z->setPhoto(samplePhoto());
             z->resize(900, 700);
             return z;
         },
         true},
        {QStringLiteral("check_codfisc"),
         [](ScreenSet &) -> QWidget * {
             auto *d = fresh<TfrmCodFisc>();
             d->setInput(QStringLiteral("RSSMRA80A01H501U"));
             return d;
         },
         true},
        {QStringLiteral("check_partitaiva"),
         [](ScreenSet &) -> QWidget * {
             auto *d = fresh<TfrmPartitaIva>();
             d->setInput(QStringLiteral("01234567890"));
             return d;
         },
         true},
        {QStringLiteral("check_iban"),
         [](ScreenSet &) -> QWidget * {
             auto *d = fresh<TfrmIban>();
             d->setInput(QStringLiteral("IT60X0542811101000000123456"));
             return d;
         },
         true},
        {QStringLiteral("search_results"),
         [](ScreenSet &s) -> QWidget * {
             auto *d = fresh<TfrmTrovaAnagrafica>(s.anagrafica());
             d->setMode(TfrmTrovaAnagrafica::Mode::MemberCard);
             d->show();
             QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("btnCerca")), Qt::LeftButton);
             return d;
         },
         true},
        {QStringLiteral("printout_card_with_photo"),
         [](ScreenSet &s) -> QWidget * {
             auto report = MemberCardReport::createFoto();
             MemberCardReport::fill(*report, s.anagrafica()->recordFromCard(), s.anagrafica()->photo(),
                                    QDateTime(QDate(2024, 3, 15), QTime(10, 30)));
             return pageWidget(report->PrepareReport(true));
         },
         true},
        {QStringLiteral("printout_card_without_photo"),
         [](ScreenSet &s) -> QWidget * {
             auto report = MemberCardReport::createScheda();
             MemberCardReport::fill(*report, s.anagrafica()->recordFromCard(), QImage(),
                                    QDateTime(QDate(2024, 3, 15), QTime(10, 30)));
             return pageWidget(report->PrepareReport(true));
         },
         true},
        {QStringLiteral("printout_list"),
         [](ScreenSet &) -> QWidget * {
             auto report = ListReport::create();
             QStringList lines;
             for (int i = 1; i <= 40; ++i)
                 lines << QStringLiteral("%1 Socio di esempio numero %2").arg(i, 4).arg(i);
             ListReport::fill(*report, QStringLiteral("Riepilogo Soci in archivio"), lines);
             return pageWidget(report->PrepareReport(true));
         },
         true},
    };
}

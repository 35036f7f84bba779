#include "Shots.h"

#include "backup/BackupMaker.h"
#include "backup/ui/TfrmRipristino.h"
#include "balance/PrimaNota.h"
#include "bank/ui/TfrmImportaEstratto.h"
#include "books/MemberRegister.h"
#include "books/RegisterList.h"
#include "books/ui/TfrmIscrizione.h"
#include "books/ui/TfrmLibroSoci.h"
#include "balance/PrimaNotaPrint.h"
#include "balance/ui/PickCombo.h"
#include "balance/ui/TfrmBilancio.h"
#include "balance/ui/TfrmMenuBilancio.h"
#include "checks/ui/TfrmCodFisc.h"
#include "checks/ui/TfrmIban.h"
#include "checks/ui/TfrmPartitaIva.h"
#include "common/ArchivePaths.h"
#include "common/Platform.h"
#include "common/RecordFile.h"
#include "SampleData.h"
#include "common/TSchedaMovimento.h"
#include "common/TSchedaSocio.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/PictureButton.h"
#include "common/ui/TfrmCalendario.h"
#include "common/ui/TfrmGuida.h"
#include "members/MemberCardReport.h"
#include "members/ui/PhotoFiles.h"
#include "members/ui/TfrmAnagrafica.h"
#include "members/ui/TfrmTrovaAnagrafica.h"
#include "members/ui/TfrmZoom.h"
#include "movements/MovementCardReport.h"
#include "movements/MovementCardRules.h"
#include "movements/ui/TfrmExpMovimenti.h"
#include "movements/ui/TfrmMovimenti.h"
#include "movements/ui/TfrmSospesiMov.h"
#include "movements/ui/TfrmTrovaMovimenti.h"
#include "output/ListReport.h"
#include "output/ReportRenderer.h"
#include "output/ReportTemplate.h"
#include "output/ui/TfrmAllegaCartella.h"
#include "receipts/ReceiptReport.h"
#include "receipts/ui/TfrmRicevuta.h"
#include "shell/ui/ScreenSet.h"
#include "statement/StatementReport.h"
#include "statement/ui/TfrmEnte.h"
#include "statement/ui/TfrmRendiconto.h"
#include "yearview/BudgetReport.h"
#include "yearview/ui/TfrmAndamento.h"
#include "yearview/ui/TfrmPreventivo.h"
#include "shell/DueReminder.h"
#include "shell/ui/ScreenSet.h"
#include "shell/ui/TfrmAvvio.h"
#include "shell/ui/TfrmInScadenza.h"

#include <QComboBox>
#include <QDir>
#include <QTabWidget>
#include <QTableWidget>
#include <QFile>
#include <QFileInfo>
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

// A gift as the receipt screens show it.
TSchedaMovimento sampleReceiptMovement()
{
    TSchedaMovimento m;
    m.Entrata = kYes;
    m.Uscita = kNo;
    m.Data = QStringLiteral("12/03/2024");
    m.Causale = QStringLiteral("Erogazione liberale per il restauro della sede");
    m.Importo = QStringLiteral("120,50");
    m.Totale = QStringLiteral("+120,50");
    m.Pagatore = QStringLiteral("Anna Bianchi");
    m.RecapitoPag = QStringLiteral("Via Roma 3, 06100 Perugia");
    m.CodFisc = QStringLiteral("BNCNNA70A41G478X");
    m.Pagamento = QStringLiteral("Bonifico bancario");
    return m;
}

QString two(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

template <class T>
T *fresh(QWidget *owner = nullptr)
{
    return new T(owner);
}

// The first eight sample members entered in the register, the third of whom left.
void sampleRegister()
{
    const auto book = MemberRegister::read(MemberRegister::path());
    if (!book || !book->entries.isEmpty())
        return;
    for (int i = 1; i <= 8; ++i) {
        MemberRegister::Entry e;
        e.position = i;
        e.admitted = QDate(2023, 1, 16).addDays(21 * i);
        e.category = i <= 2 ? QStringLiteral("fondatore") : QStringLiteral("ordinario");
        if (i == 3) {
            e.left = QDate(2024, 4, 30);
            e.cause = MemberRegister::Cause::Recesso;
        }
        (void)MemberRegister::store(MemberRegister::path(), ArchivePaths::members(), e);
    }
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

// A year of movements for the prima nota, written once.
QString sampleMovements()
{
    const QString path = ArchivePaths::movements(2024);
    if (QFileInfo::exists(path))
        return path;
    RecordFile<TSchedaMovimento> file;
    if (!file.open(path))
        return path;
    const SampleData sample(1);
    constexpr int kCount = 160;
    for (int i = 0; i < kCount; ++i)
        (void)file.append(sample.movement(2024, i, kCount, 6));
    return path;
}

PrimaNota::Request sampleYear()
{
    return {QString(), QStringLiteral("01/01/2024"), QStringLiteral("31/12/2024"), sampleMovements()};
}

// The association of the sample archive.
EnteData sampleEnte()
{
    return {QStringLiteral("Circolo Culturale Quintara APS"), QStringLiteral("12345678903"),
            QStringLiteral("Via Garibaldi 12, 06121 Perugia"), QStringLiteral("104567"), QStringLiteral("APS"),
            QStringLiteral("Rossi Maria Grazia"), QStringLiteral("Bianchi Laura")};
}

// The cash statement screen on the sample year: reasons classified as the
// suggestions say (the rest under the "other" items), payment methods by
// their words, opening balances typed. Nothing is saved.
TfrmRendiconto *statementScreen(ScreenSet &s, bool everything)
{
    // Two whole sample years of their own: the other shots keep theirs.
    for (const int year : {2022, 2023}) {
        const QString path = ArchivePaths::movements(year);
        RecordFile<TSchedaMovimento> file;
        if (QFileInfo::exists(path) || !file.open(path))
            continue;
        const SampleData sample{quint64(year)};
        constexpr int kCount = 160;
        for (int i = 0; i < kCount; ++i)
            (void)file.append(sample.movement(year, i, kCount, 6));
    }
    (void)sampleEnte().save(Platform::folder().path());
    auto *d = fresh<TfrmRendiconto>(s.menuBilancio());
    if (!d->load())
        return d;
    d->showYear(2023);
    d->btnSuggerimenti->click();
    if (everything) {
        for (int row = 0; row < d->tblCausali->rowCount(); ++row) {
            QComboBox *combo = d->itemCombo(row);
            if (combo->currentIndex() == 0)
                combo->setCurrentIndex(combo->findData(d->tblCausali->item(row, TfrmRendiconto::RcKind)->text() ==
                                                               QLatin1String("Entrata")
                                                           ? QStringLiteral("A.E10")
                                                           : QStringLiteral("A.U5")));
        }
        for (int row = 0; row < d->tblPagamenti->rowCount(); ++row)
            if (d->accountCombo(row)->currentIndex() == 0)
                d->accountCombo(row)->setCurrentIndex(2);
    }
    d->txtSaldoCassa->setText(QStringLiteral("850,00"));
    d->txtSaldoBanca->setText(QStringLiteral("12400,00"));
    Q_EMIT d->txtSaldoBanca->enterPressed();
    return d;
}

// The statement's sample years with the classification its screen shows, kept
// in Rendiconto.ini for the year at a glance and the budget.
void classifiedSample(ScreenSet &s)
{
    TfrmRendiconto *r = statementScreen(s, true);
    (void)r->classification().save(Platform::folder().path());
    delete r;
}

TfrmAndamento *yearViewScreen(ScreenSet &s, int tab)
{
    classifiedSample(s);
    auto *d = fresh<TfrmAndamento>(s.menuBilancio());
    if (d->load())
        d->showYear(2023);
    d->tabGrafici->setCurrentIndex(tab);
    return d;
}

// The budget of the sample year, proposed from the year before.
TfrmPreventivo *budgetScreen(ScreenSet &s, int tab)
{
    classifiedSample(s);
    auto *d = fresh<TfrmPreventivo>(s.menuBilancio());
    if (d->load()) {
        d->showYear(2023);
        d->btnProponi->click();
    }
    d->tabPagine->setCurrentIndex(tab);
    return d;
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

    RecordFile<TSchedaMovimento> year;
    if (!year.open(MovementCardRules::yearFile(QStringLiteral("2024"))))
        return;
    const struct
    {
        bool income;
        const char *date, *reason, *reminder, *due, *amount, *payer, *method, *beneficiary, *receipt;
        bool settled;
    } movements[] = {
        {true, "10/01/2024", "Quota associativa 2024", "Rinnovo annuale", "31/01/2024", "35,00", "Rossi Maria Grazia",
         "Bonifico bancario", "Circolo Quintara", "CRO 0012345", true},
        {false, "05/02/2024", "Affitto palestra febbraio", "Seconda rata del contratto", "28/02/2024", "450,00",
         "Circolo Quintara", "Bonifico bancario", "Comune di Perugia", "CRO 0098765", false},
        {true, "12/03/2024", "Iscrizione torneo di primavera", "Squadra under 14", "20/03/2024", "120,00",
         "Bianchi Laura", "Contanti", "Circolo Quintara", "Ricevuta n. 17", false},
    };
    for (const auto &m : movements) {
        TSchedaMovimento r;
        r.Entrata = m.income ? kYes : kNo;
        r.Uscita = m.income ? kNo : kYes;
        r.Data = QString::fromLatin1(m.date);
        r.Causale = QString::fromLatin1(m.reason);
        r.Promemoria = QString::fromLatin1(m.reminder);
        r.DataSca = QString::fromLatin1(m.due);
        r.Preavviso = QStringLiteral("7");
        r.Importo = QString::fromLatin1(m.amount);
        r.Totale = (m.income ? QStringLiteral("+") : QStringLiteral("-")) + r.Importo;
        r.Pagatore = QString::fromLatin1(m.payer);
        r.RecapitoPag = QStringLiteral("075 551021");
        r.CodFisc = QStringLiteral("RSSMGR61E47C745X");
        r.Categoria = QStringLiteral("2024001");
        r.Email = QStringLiteral("segreteria@esempio.it");
        r.Pagamento = QString::fromLatin1(m.method);
        r.Beneficiario = QString::fromLatin1(m.beneficiary);
        r.RecapitoBen = QStringLiteral("075 5771");
        r.Ricevuta = QString::fromLatin1(m.receipt);
        r.Note = QStringLiteral("Registrato dalla segreteria");
        r.Tariffa = QStringLiteral("Ordinaria");
        r.Saldato = m.settled ? kYes : kNo;
        (void)year.append(r);
    }
}

namespace {

// The movement card of 2024 showing its n-th stored movement.
TfrmMovimenti *movementCard(ScreenSet &s, int n)
{
    auto *card = s.movimenti();
    card->showNormal(); // showing starts a new card: show first, then browse
    card->resize(card->panel()->size() + QSize(60, 60));
    card->openYear(QStringLiteral("2024"), MovementCardRules::yearFile(QStringLiteral("2024")));
    QTest::mouseClick(card->findChild<PictureButton *>(QStringLiteral("cmdPrimo")), Qt::LeftButton);
    for (int i = 1; i < n; ++i)
        QTest::mouseClick(card->findChild<PictureButton *>(QStringLiteral("cmdAvanti")), Qt::LeftButton);
    return card;
}

} // namespace

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
        {QStringLiteral("card_movement_income"), [](ScreenSet &s) -> QWidget * { return movementCard(s, 1); }},
        {QStringLiteral("card_movement_expense"), [](ScreenSet &s) -> QWidget * { return movementCard(s, 2); }},
        {QStringLiteral("printout_movement"),
         [](ScreenSet &s) -> QWidget * {
             auto report = MovementCardReport::create();
             MovementCardReport::fill(*report, movementCard(s, 2)->values(), QDateTime(QDate(2024, 3, 15), QTime(10, 30)));
             return pageWidget(report->PrepareReport(true));
         },
         true},
        {QStringLiteral("search_movements_results"),
         [](ScreenSet &s) -> QWidget * {
             auto *d = fresh<TfrmTrovaMovimenti>(s.movimenti());
             d->setMode(TfrmTrovaMovimenti::Mode::MovementCard);
             d->setYearFile(MovementCardRules::yearFile(QStringLiteral("2024")));
             d->show();
             QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("btnCerca")), Qt::LeftButton);
             return d;
         },
         true},
        {QStringLiteral("payments_due"),
         [](ScreenSet &s) -> QWidget * {
             auto *d = fresh<TfrmSospesiMov>(s.movimenti());
             d->setYearFile(MovementCardRules::yearFile(QStringLiteral("2024")));
             return d;
         },
         true},
        {QStringLiteral("in_scadenza"),
         [](ScreenSet &s) -> QWidget * {
             auto *d = fresh<TfrmInScadenza>(s.avvio());
             d->setDue(DueReminder::gather(Platform::clock().today()));
             return d;
         },
         true},
        {QStringLiteral("export_movements"),
         [](ScreenSet &s) -> QWidget * {
             auto *d = fresh<TfrmExpMovimenti>(s.movimenti());
             d->setYearFile(MovementCardRules::yearFile(QStringLiteral("2024")));
             return d;
         },
         true},
        {QStringLiteral("backup_restore"),
         [](ScreenSet &) -> QWidget * {
             // Two copies, the later one after a year of movements was added.
             const QString folder = Platform::folder().path();
             (void)BackupMaker(folder).make(QDateTime(QDate(2024, 2, 29), QTime(18, 42, 7)));
             sampleMovements();
             (void)BackupMaker(folder).make(QDateTime(QDate(2024, 3, 14), QTime(19, 3, 51)));
             return fresh<TfrmRipristino>();
         },
         true},
        {QStringLiteral("bank_import"),
         [](ScreenSet &) -> QWidget * {
             // A year with three fees due and a month of the bank's list of movements.
             const QString year = ArchivePaths::movements(2025);
             RecordFile<TSchedaMovimento> file;
             if (file.open(year)) {
                 const struct
                 {
                     const char *causale, *amount, *due, *person;
                     bool income;
                 } due[] = {{"Quota sociale 2025", "50,00", "15/01/2025", "Rossi Maria Grazia", true},
                            {"Quota sociale 2025", "50,00", "20/01/2025", "Bianchi Luca", true},
                            {"Affitto sala riunioni", "300,00", "31/01/2025", "Parrocchia San Marco", false}};
                 for (const auto &d : due) {
                     TSchedaMovimento m;
                     m.Entrata = d.income ? kYes : kNo;
                     m.Uscita = d.income ? kNo : kYes;
                     m.Data = QStringLiteral("02/01/2025");
                     m.DataSca = QString::fromUtf8(d.due);
                     m.Preavviso = QStringLiteral("0");
                     m.Causale = QString::fromUtf8(d.causale);
                     m.Importo = QString::fromUtf8(d.amount);
                     m.Totale = (d.income ? QStringLiteral("+") : QStringLiteral("-")) + m.Importo;
                     (d.income ? m.Pagatore : m.Beneficiario) = QString::fromUtf8(d.person);
                     (d.income ? m.Beneficiario : m.Pagatore) = QStringLiteral("Associazione");
                     m.Saldato = kNo;
                     (void)file.append(m);
                 }
                 file.close();
             }
             const QString csv = Platform::folder().file(QStringLiteral("movimenti_gennaio_2025.csv"));
             QFile out(csv);
             if (out.open(QIODevice::WriteOnly))
                 out.write("Banca di Credito Cooperativo - Lista movimenti\r\n"
                           "Periodo;01/01/2025 - 31/01/2025\r\n\r\n"
                           "Data contabile;Data valuta;Descrizione;Dare;Avere;Descrizione estesa\r\n"
                           "16/01/2025;16/01/2025;BONIFICO A VOSTRO FAVORE;;50,00;BONIFICO DA ROSSI MARIA GRAZIA QUOTA 2025\r\n"
                           "21/01/2025;21/01/2025;BONIFICO A VOSTRO FAVORE;;50,00;BONIFICO DA BIANCHI LUCA QUOTA 2025\r\n"
                           "24/01/2025;24/01/2025;BONIFICO A VOSTRO FAVORE;;120,00;BONIFICO DA COMUNE DI MONTE CONTRIBUTO\r\n"
                           "30/01/2025;30/01/2025;ADDEBITO;300,00;;AFFITTO SALA PARROCCHIA SAN MARCO\r\n"
                           "31/01/2025;31/01/2025;COMMISSIONI;2,50;;COMMISSIONI BONIFICI GENNAIO\r\n"
                           "Saldo finale;;;;1.917,50;\r\n");
             out.close();
             auto *d = fresh<TfrmImportaEstratto>();
             d->setYear(2025, year);
             d->openFile(csv);
             return d;
         },
         true},
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
        {QStringLiteral("period_chooser"),
         [](ScreenSet &s) -> QWidget * {
             auto *c = s.menuBilancio();
             c->showNormal(); // showing resets the chooser: show first, then fill
             c->resize(c->panel()->size() + QSize(60, 60));
             c->txtTipologia->setText(QStringLiteral("Quota"));
             c->txtGiornoInizio->setCurrentIndex(0);
             c->txtMeseInizio->setCurrentIndex(0);
             c->txtGiornoFine->setCurrentIndex(30);
             c->txtMeseFine->setCurrentIndex(11);
             // The waiting notice stays hidden: it shows only while the button is held down.
             return c;
         }},
        {QStringLiteral("prima_nota"),
         [](ScreenSet &s) -> QWidget * {
             auto *d = fresh<TfrmBilancio>(s.menuBilancio());
             d->setRequest(sampleYear());
             d->setWindowState(Qt::WindowNoState);
             d->resize(d->panContainer->size() + QSize(60, 60));
             return d;
         },
         true},
        {QStringLiteral("printout_prima_nota"),
         [](ScreenSet &) -> QWidget * {
             const PrimaNota::Result r = PrimaNota::list(sampleYear());
             PrimaNotaPrint::Screen shown{{}, r.heading, r.interval, r.income, r.expense, r.balance};
             for (const ListRow &row : r.rows)
                 shown.rows.append(row.text);
             auto report = ListReport::create(ListReport::kPrimaNotaTitle);
             ListReport::fill(*report, PrimaNotaPrint::title(shown), PrimaNotaPrint::lines(shown));
             return pageWidget(report->PrepareReport(true));
         },
         true},
        {QStringLiteral("statement_classification"),
         [](ScreenSet &s) -> QWidget * {
             TfrmRendiconto *d = statementScreen(s, false);
             d->tabPagine->setCurrentIndex(0);
             return d;
         },
         true},
        {QStringLiteral("statement_form"),
         [](ScreenSet &s) -> QWidget * {
             TfrmRendiconto *d = statementScreen(s, true);
             d->tabPagine->setCurrentIndex(1);
             return d;
         },
         true},
        {QStringLiteral("statement_association"),
         [](ScreenSet &s) -> QWidget * {
             auto *d = fresh<TfrmEnte>(s.menuBilancio());
             d->setData(sampleEnte());
             return d;
         },
         true},
        {QStringLiteral("printout_statement"),
         [](ScreenSet &s) -> QWidget * {
             TfrmRendiconto *d = statementScreen(s, true);
             QWidget *page = pageWidget(StatementReport::prepare(d->statement(), sampleEnte()));
             delete d;
             return page;
         },
         true},
        {QStringLiteral("member_register"),
         [](ScreenSet &s) -> QWidget * {
             sampleRegister();
             return fresh<TfrmLibroSoci>(s.anagrafica());
         },
         true},
        {QStringLiteral("member_register_entry"),
         [](ScreenSet &s) -> QWidget * {
             sampleRegister();
             auto *d = fresh<TfrmIscrizione>(s.anagrafica());
             const auto book = MemberRegister::read(MemberRegister::path());
             MemberRegister::Entry e;
             e.position = 9;
             e.admitted = QDate(2024, 9, 20);
             d->setValues(book ? *book : MemberRegister::Book{}, e,
                          {QStringLiteral("Esposito Giulia"), QStringLiteral("ordinario")});
             return d;
         },
         true},
        {QStringLiteral("printout_member_register"),
         [](ScreenSet &) -> QWidget * {
             sampleRegister();
             const auto rows = RegisterList::read(MemberRegister::path(), ArchivePaths::members());
             return pageWidget(RegisterList::report(rows ? *rows : QList<RegisterList::Row>{},
                                                    RegisterList::title({}), sampleEnte()));
          },
          true},
        {QStringLiteral("yearview_months"), [](ScreenSet &s) -> QWidget * { return yearViewScreen(s, 0); }, true},
        {QStringLiteral("yearview_balance"), [](ScreenSet &s) -> QWidget * { return yearViewScreen(s, 1); }, true},
        {QStringLiteral("yearview_items"), [](ScreenSet &s) -> QWidget * { return yearViewScreen(s, 2); }, true},
        {QStringLiteral("yearview_members"), [](ScreenSet &s) -> QWidget * { return yearViewScreen(s, 3); }, true},
        {QStringLiteral("budget_form"), [](ScreenSet &s) -> QWidget * { return budgetScreen(s, 0); }, true},
        {QStringLiteral("budget_comparison"), [](ScreenSet &s) -> QWidget * { return budgetScreen(s, 1); }, true},
        {QStringLiteral("printout_budget_comparison"),
         [](ScreenSet &s) -> QWidget * {
             classifiedSample(s);
             const auto c = Classification::load(Platform::folder().path());
             YearCache cache(Platform::folder().path());
             const CashStatement actual = CashStatement::compute(2023, c.value_or(Classification{}), cache.source());
             QMap<QString, qint64> budget = Budget::proposal(actual.previous());
             return pageWidget(BudgetReport::comparison(2023, BudgetComparison::lines(actual, budget), sampleEnte(),
                                                        QDate(2024, 3, 15)));
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
        {QStringLiteral("receipt_dialog"),
         [](ScreenSet &) -> QWidget * {
             auto *d = fresh<TfrmRicevuta>();
             TfrmRicevuta::Request r;
             r.yearFile = ArchivePaths::movements(2024);
             r.position = 1;
             r.shown = sampleReceiptMovement();
             r.donation = true;
             d->setRequest(r);
             return d;
         },
         true},
        {QStringLiteral("printout_receipt"),
         [](ScreenSet &) -> QWidget * {
             const ReceiptContent::Issuer issuer{QStringLiteral("Circolo Culturale Il Ponte APS"),
                                                 QStringLiteral("Piazza Grande 1, 06100 Perugia"),
                                                 QStringLiteral("94012345678"), QStringLiteral("Paolo Verdi")};
             const ReceiptContent c =
                 ReceiptContent::of(sampleReceiptMovement(), QStringLiteral("3/2024"), issuer, false, true);
             return pageWidget(ReceiptReport::prepare(c, QDateTime(QDate(2024, 3, 15), QTime(10, 30))));
         },
         true},
    };
}

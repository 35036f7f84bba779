#include "HelpTexts.h"

#include <initializer_list>

namespace {

const QString kParagraph = QStringLiteral("\r\n\r\n");

QString join(std::initializer_list<const char *> paragraphs)
{
    QString out;
    for (const char *p : paragraphs) {
        if (!out.isEmpty())
            out += kParagraph;
        out += QString::fromUtf8(p);
    }
    return out;
}

QString join(std::initializer_list<QString> sections)
{
    QString out;
    for (const QString &s : sections) {
        if (!out.isEmpty())
            out += kParagraph;
        out += s;
    }
    return out;
}

QString introduction()
{
    return join({
        "Quintara è il programma per il segretario o il tesoriere di un'associazione. Tiene l'archivio "
        "anagrafico dei Soci, con le loro foto e lo scadenzario degli abbonamenti, e il registro delle entrate "
        "e delle uscite, dal quale si ottengono la primanota e il bilancio.",
        "Dal menu iniziale si entra nelle tre applicazioni facendo clic sulla colonna corrispondente: Archivio "
        "Soci, Registrazione movimenti e Primanota e Bilancio. La \"i\" in alto a sinistra mostra le "
        "informazioni sul programma, la croce rossa in basso a destra chiude Quintara.",
        "Dopo l'accesso, se ci sono Soci con l'abbonamento in scadenza o scaduto, o pagamenti dell'anno in corso "
        "da saldare con la scadenza vicina o passata, compare la finestra In scadenza: un doppio clic su una voce "
        "apre la scheda, i pulsanti Elenco Soci ed Elenco pagamenti aprono gli elenchi completi e la casella Non "
        "mostrare più oggi la tiene chiusa fino al giorno dopo.",
    });
}

QString memberArchive()
{
    return join({
        "ARCHIVIO SOCI. Per ogni Socio si compila una scheda: cognome e nome, numero di tessera, quota "
        "associativa, luogo e data di nascita, codice fiscale, partita IVA, indirizzo di residenza con città, "
        "provincia e CAP, qualifiche, incarico ricoperto in Associazione, IBAN, note, recapito telefonico ed "
        "e-mail. Il tasto Invio porta al campo successivo.",
        "Per ogni Socio si indicano anche la data di scadenza dell'abbonamento e i giorni di preavviso, cioè "
        "quanti giorni prima della scadenza si vuole essere avvisati. Per inserire la data fare clic sul campo "
        "Scadenza abbonamento e premere un tasto qualsiasi: si apre il calendario, dal quale si sceglie il "
        "giorno e si preme Importa; la gomma accanto al campo cancella la data. Il pulsante Scadenze elenca i "
        "Soci con l'abbonamento in scadenza (entro i giorni di preavviso) o già scaduto, il pulsante Scaduti "
        "soltanto quelli con l'abbonamento già scaduto. Con un doppio clic su una voce dell'elenco la scheda "
        "del Socio compare sullo schermo.",
        "Il pulsante Nuovo prepara una scheda vuota e il pulsante Salva la inserisce in archivio; una scheda "
        "già presente in archivio viene aggiornata ogni volta che si preme Salva. Per salvare sono necessari "
        "cognome e nome, quota, data di scadenza e giorni di preavviso. Le frecce in alto a destra mostrano la "
        "prima scheda, la precedente, la successiva e l'ultima; il numero tra le frecce è la posizione della "
        "scheda in archivio. Le modifiche non salvate si perdono quando si passa a un'altra scheda o si esce.",
        "La foto del Socio si può acquisire con la webcam: premere Acquisisci foto, poi Accendi webcam; quando "
        "l'inquadratura è quella giusta premere Cattura foto e infine Importa foto in scheda. In alternativa il "
        "pulsante Carica foto importa la foto da un file di immagine in formato JPEG o bitmap (BMP). La foto "
        "viene adattata automaticamente allo spazio della scheda, senza deformarla. La lente sull'angolo della "
        "foto la mostra ingrandita (un clic sulla foto chiude l'ingrandimento), la gomma la toglie e il "
        "pulsante con il dischetto la salva in un file JPEG. La foto viene memorizzata insieme alla scheda "
        "quando si preme Salva.",
        "Il pulsante Allegati collega alla scheda fino a tre documenti, ciascuno con la sua descrizione (per "
        "esempio la domanda di iscrizione o un certificato medico). Con Sfoglia... si sceglie il file, che "
        "viene copiato nella cartella Documenti_Allegati del programma; con Apri lo si apre con il programma "
        "abituale del computer. Premere Applica e chiudi e poi Salva sulla scheda per memorizzare gli allegati.",
        "Il pulsante Duplica prepara una nuova scheda con i dati di quella mostrata, senza foto e senza "
        "allegati: è comodo per inserire Soci con dati simili, per esempio i componenti di una stessa famiglia. "
        "Dopo le modifiche premere Salva per inserire la nuova scheda in archivio; la scheda di partenza resta "
        "com'era. Si può duplicare soltanto una scheda già salvata.",
        "Il pulsante di controllo accanto al codice fiscale, alla partita IVA e all'IBAN verifica che il codice "
        "sia scritto correttamente; il controllo della partita IVA indica anche l'ufficio provinciale che l'ha "
        "rilasciata. Un codice fiscale di sole cifre, come quello di un'azienda, viene controllato come partita "
        "IVA. Il pulsante con la busta accanto all'e-mail apre il programma di posta con un nuovo messaggio "
        "indirizzato al Socio.",
        "Il pulsante Trova cerca le schede in archivio: si scrivono una o più parole in uno o più campi (cognome "
        "e nome, tessera, luogo e data di nascita, codice fiscale, partita IVA, città, qualifiche, incarico, "
        "note), lasciando in bianco gli altri, e si preme Cerca. L'elenco mostra i Soci che corrispondono a "
        "tutti i campi compilati; con un doppio clic su una voce la scheda compare sullo schermo.",
        "Il pulsante Anteprima mostra sullo schermo la scheda come verrà stampata, il pulsante Stampa la stampa "
        "su carta; in entrambi i casi la scheda si può avere con o senza la foto. Il pulsante Esporta trasferisce l'intero "
        "archivio dei Soci in un file .XLS che si apre con i programmi di foglio di calcolo, come Microsoft "
        "Excel o LibreOffice.",
    });
}

QString movementsRegister()
{
    return join({
        "REGISTRAZIONE MOVIMENTI. In questo ambiente si registrano i movimenti di denaro in entrata e in uscita "
        "dell'Associazione. Ogni anno solare ha il proprio archivio: all'ingresso scrivere l'anno con quattro "
        "cifre (viene proposto quello in corso) e premere Apri.",
        "Il pulsante Nuovo prepara una scheda vuota. Scegliere Entrata o Uscita e scrivere l'importo in euro, "
        "con la virgola prima dei centesimi: lasciando il campo l'importo viene completato con due decimali "
        "(7 diventa 7,00). La data dell'operazione è già quella di oggi; per cambiarla fare clic sul campo, "
        "premere un tasto qualsiasi, scegliere il giorno dal calendario e premere Importa.",
        "La causale descrive il motivo del movimento, per esempio Quota associativa 2024 o Affitto sala: è il "
        "testo che la primanota usa per raggruppare i movimenti, quindi conviene scriverla sempre allo stesso "
        "modo. Il promemoria è un appunto libero per ricordare i dettagli dell'operazione.",
        "Il pulsante Duplica parte da una scheda già salvata e ne prepara una nuova con gli stessi dati: cambiano "
        "soltanto la data dell'operazione, che diventa quella di oggi, la data di scadenza, da indicare di "
        "nuovo, la spunta Saldato e gli allegati, che vengono tolti. È utile per i movimenti che si ripetono, "
        "come le quote o le bollette.",
        "Per ogni movimento si indicano la data di scadenza del pagamento e quanti giorni prima si vuole essere "
        "avvisati (Avvisa n. giorni prima della scadenza): grazie a questi due dati il movimento compare, al "
        "momento giusto, nel riepilogo dei pagamenti in scadenza o scaduti e non saldati.",
        "Il pagatore e il beneficiario si importano dall'archivio dei Soci con il pulsante accanto al loro "
        "nome: si apre la ricerca dei Soci e, con un doppio clic sul Socio trovato, i suoi dati passano nella "
        "scheda (per il pagatore nome, recapito, codice fiscale, partita IVA, tessera ed e-mail; per il "
        "beneficiario nome e recapito). Come nell'archivio dei Soci si possono controllare il codice fiscale e "
        "la partita IVA e scrivere un'e-mail al pagatore.",
        "Il pulsante degli allegati collega alla scheda fino a tre file, per esempio ricevute, fatture o "
        "contratti, ciascuno con la sua descrizione; i file vengono copiati nella cartella Documenti_Allegati "
        "e si aprono con il pulsante Apri.",
        "Il pulsante Salva memorizza la scheda nell'archivio dell'anno; una scheda già salvata viene aggiornata "
        "ogni volta che si preme Salva. Per salvare sono necessari causale, data dell'operazione, data di "
        "scadenza, giorni di preavviso, pagatore e beneficiario. Le frecce della barra in alto scorrono le "
        "schede dell'anno una alla volta.",
        "Quando un pagamento è stato effettuato, spuntare la casella Saldato e premere Salva: da quel momento il "
        "movimento non compare più tra i pagamenti da saldare.",
        "Il pulsante Trova cerca i movimenti dell'anno per data dell'operazione o di scadenza, causale, "
        "promemoria, pagatore, tessera, beneficiario, ricevuta, tariffa o note; con un doppio clic sul "
        "movimento trovato la sua scheda compare sullo schermo.",
        "Il pulsante con l'orologio elenca i pagamenti in scadenza o già scaduti e non ancora saldati; con un "
        "doppio clic su una voce dell'elenco si apre la scheda del movimento.",
        "Il pulsante della stampante stampa la scheda mostrata sullo schermo; il pulsante di Excel trasferisce "
        "tutti i movimenti dell'anno in un file .XLS che si apre con i programmi di foglio di calcolo.",
    });
}

QString receipts()
{
    return join({
        "RICEVUTE. Per una quota o un'erogazione liberale già salvata in archivio, il pulsante Ricevuta della "
        "barra in alto stampa la ricevuta da consegnare a chi ha pagato. La ricevuta si emette soltanto per un "
        "movimento in entrata, salvato, saldato (la ricevuta attesta che la somma è stata incassata) e con un "
        "importo diverso da 0,00; se la scheda contiene modifiche non "
        "ancora salvate, premere prima Salva.",
        "Le ricevute sono numerate per anno: la prima dell'anno è la 1, poi la 2 e così via, nel formato "
        "numero/anno (per esempio 3/2024). Il numero viene assegnato alla prima stampa o anteprima e scritto nel "
        "campo CRO / Ricevuta n. della scheda, prima dell'eventuale riferimento del bonifico, senza cambiare "
        "nient'altro. Anche se più postazioni lavorano insieme sulla stessa cartella, lo stesso numero non viene "
        "mai dato due volte. Un numero già dato non viene riutilizzato, neppure se cancellato a mano. Il testo "
        "di ogni ricevuta è conservato con il suo numero nel file RicevuteAAAA.ini accanto all'archivio "
        "dell'anno.",
        "Se la scheda ha già il suo numero, Ricevuta stampa di nuovo la stessa ricevuta, con le stesse parole "
        "dell'originale e la scritta DUPLICATO, senza assegnare un numero nuovo. Anche nella stessa finestra, "
        "ogni stampa dopo la prima è un duplicato.",
        "Il foglio A4 contiene due copie uguali, una per l'associazione e una per il socio o donatore, separate "
        "dalla linea da ritagliare: i dati dell'associazione, numero e data, chi ha pagato con codice fiscale o "
        "partita IVA e recapito, l'importo in cifre e in lettere, la causale, la modalità di pagamento e lo spazio "
        "per la firma del tesoriere. La denominazione, l'indirizzo, il codice fiscale e il tesoriere si indicano "
        "nei dati dell'associazione; se manca la denominazione il programma propone di aprirli.",
        "Per un'erogazione liberale spuntare Erogazione liberale prima di stampare (la casella è già spuntata se "
        "la causale è classificata tra le erogazioni liberali nel rendiconto): la ricevuta riporta che il "
        "versamento è fatto a un ente del Terzo settore e può essere detratto o dedotto come previsto dalla legge "
        "(art. 83 D.Lgs. 117/2017), e se è stato pagato con un mezzo tracciabile; per i contanti dice soltanto "
        "che non dà diritto ad alcun beneficio fiscale.",
        "Il pulsante accanto al campo CRO / Ricevuta n. apre l'elenco delle ricevute dell'anno, in ordine di "
        "numero, con data, pagatore e importo; l'elenco si può stampare e con un doppio clic si apre la scheda.",
    });
}

QString primaNota()
{
    return join({
        "PRIMANOTA E BILANCIO. Questa applicazione mostra e stampa la primanota dell'Associazione: i movimenti "
        "in entrata e in uscita di ogni anno solare, con il riepilogo delle operazioni, il totale incassato, il "
        "totale speso e il bilancio, cioè la differenza tra le entrate e le uscite.",
        "Per vedere la primanota di un periodo indicare l'anno, una causale e l'intervallo di tempo, scegliendo "
        "il giorno e il mese di inizio e di fine dagli elenchi a cascata, e premere Visualizza riepilogo. Se non "
        "si indica nessuna causale vengono elencati tutti i movimenti dell'intervallo; indicando per esempio "
        "quota compaiono soltanto i movimenti la cui causale contiene questa parola.",
        "Ogni riga dell'elenco mostra il tipo di movimento (ENTRATA o USCITA), la causale, la data, il pagatore, "
        "il beneficiario e l'importo con il suo segno. In fondo si leggono il totale delle entrate, il totale "
        "delle uscite e il bilancio delle entrate e delle uscite. Con Trova si cerca una parola nell'elenco.",
        "Il pulsante Stampa primanota stampa l'elenco con la causale scelta, l'intervallo di tempo e i tre "
        "totali.",
    });
}

QString backupCopies();

QString sharedUse()
{
    return join({join({
        "USO IN RETE. La cartella del programma si può mettere in una cartella condivisa della rete locale: "
        "avviando Quintara da quella cartella, ogni postazione lavora sugli stessi archivi. Se due persone "
        "modificano la stessa scheda, resta quella salvata per ultima.",
        "USO DA CHIAVETTA USB. Il programma e tutti i suoi dati (schede, foto, movimenti, allegati e password) "
        "stanno nella stessa cartella, che si può copiare su una chiavetta USB e usare su un altro computer. "
        "Copiare la cartella è anche il modo più rapido di portare altrove una copia di sicurezza: conviene "
        "farlo spesso, su una chiavetta o su un altro disco.",
        "PASSWORD. All'avvio Quintara chiede una password, la stessa per tutti quelli che lo usano. Il primo "
        "accesso si effettua con la password benvenutissimo, digitata senza virgolette; maiuscole e minuscole "
        "sono indifferenti. Per scegliere una password nuova premere Cambia password nella schermata di "
        "accesso, scrivere la vecchia password, la nuova e la conferma e premere OK. Conservare la password in "
        "un luogo sicuro: senza di essa non si entra nel programma.",
    }), backupCopies(), join({
        "Il manuale completo, con le immagini di tutte le schermate, si apre facendo clic su Visualizza guida "
        "in formato PDF, qui sotto.",
        "Buon lavoro con Quintara!",
    })});
}

QString backupCopies()
{
    return join({
        "COPIA DI SICUREZZA. A ogni uscita dal programma Quintara mette una copia di tutti i dati (l'archivio "
        "dei Soci, i movimenti di ogni anno, la password, le foto e i documenti allegati) in un file ZIP della "
        "cartella Backup, dentro la cartella del programma; il nome del file porta la data e l'ora della copia. "
        "Se dall'ultima copia non è cambiato nulla, la copia non viene rifatta. Restano le ultime 20 copie e, "
        "per gli ultimi 12 mesi, l'ultima copia di ogni mese; le altre vengono cancellate.",
        "Se la copia non si può fare (disco pieno, cartella protetta da scrittura, archivio in uso su un'altra "
        "postazione), all'uscita un messaggio ne spiega il motivo: i dati e le copie precedenti restano come "
        "erano, e la copia si fa alla prossima uscita.",
        "RIPRISTINO. Per tornare ai dati di una copia fare clic su Ripristina una copia, sotto la password "
        "nella schermata di accesso oppure nella finestra delle informazioni. L'elenco mostra le copie, dalla "
        "più recente, con la data, la dimensione, il numero dei Soci e dei movimenti: scegliere la copia e "
        "premere Ripristina. Prima di sostituire i dati Quintara ne fa una copia, così anche il ripristino si "
        "può annullare ripristinando quella copia. Una copia danneggiata viene rifiutata e i dati restano come "
        "erano.",
        "La cartella Backup sta sullo stesso disco dei dati: per difendersi anche dalla perdita della chiavetta "
        "o del disco, copiare ogni tanto la cartella Backup su un altro supporto.",
    });
}

QString bankImport()
{
    return join({
        "IMPORTA ESTRATTO CONTO. Dalla schermata che sceglie l'anno dei movimenti, il pulsante Importa estratto "
        "conto legge la lista dei movimenti scaricata dall'home banking (file CSV, Excel XLSX o XLS) oppure "
        "l'estratto della banca nei formati CBI o camt.053, e la porta nel registro dell'anno scritto.",
        "Premere Scegli il file... e indicare il file. Per i file CSV ed Excel Quintara riconosce le colonne dai "
        "loro nomi (Data contabile, Data valuta, Descrizione, Dare, Avere, Importo...). Se non le riconosce, "
        "sotto Colonne del file scegliere che cosa contiene ogni colonna e premere Usa queste colonne: la scelta "
        "viene ricordata e la volta successiva la stessa banca non chiede nulla.",
        "Per ogni riga Quintara propone che cosa fare. Segna come saldato: un pagamento registrato e non ancora "
        "saldato ha lo stesso importo, lo stesso verso e una scadenza vicina alla data della banca (e il nome "
        "del pagatore compare nella descrizione): viene segnato come saldato, con il pagamento in banca, e "
        "sparisce dai pagamenti in scadenza. Nuova entrata o Nuova uscita: viene registrato un movimento nuovo, "
        "già saldato, con la causale che si era scelta in passato per descrizioni con le stesse parole. Già "
        "importato: la riga era stata importata prima e non viene proposta di nuovo.",
        "Per cambiare una proposta fare doppio clic nella colonna Proposta o nella colonna Causale. Due righe "
        "identiche dello stesso giorno senza riferimento della banca potrebbero essere un errore: la seconda "
        "resta Non registrare finché non si sceglie Nuova entrata o Nuova uscita.",
        "Nulla viene scritto finché non si preme Registra: allora tutte le proposte accettate vengono registrate "
        "insieme, oppure nessuna se il disco o l'archivio non lo permettono. Se il file contiene righe con date o "
        "importi non leggibili, o movimenti in un'altra valuta, un messaggio indica il numero di ogni riga e non "
        "si registra nulla.",
        "RICONCILIAZIONE. Accanto al saldo dell'estratto conto (letto dal file o scritto a mano, con la sua "
        "data) il pulsante Riconcilia mostra il saldo della banca secondo Quintara in quel giorno: il saldo "
        "iniziale della banca indicato nel rendiconto più i movimenti saldati in banca fino a quella data. Se "
        "c'è una differenza, l'elenco a destra mostra i movimenti che possono spiegarla: quelli non ancora "
        "saldati e quelli con data successiva.",
    });
}

QString statement()
{
    return join({
        "RENDICONTO PER CASSA. Questa funzione prepara il rendiconto annuale dell'Associazione nella forma del "
        "Modello D (rendiconto per cassa), con l'anno scelto e l'anno precedente affiancati: entrate e uscite "
        "di ogni sezione, avanzo o disavanzo, investimenti, avanzo complessivo, cassa e banca a fine anno. Si "
        "apre da Primanota e Bilancio con il pulsante Rendiconto per cassa.",
        "Contano i movimenti con la data nell'anno e la casella Saldato spuntata, cioè il denaro entrato o "
        "uscito davvero. I movimenti non saldati sono esclusi e segnalati con il loro numero e il loro totale.",
        "Nella pagina Classificazione ogni causale dell'anno e dell'anno precedente va collegata, dall'elenco "
        "a cascata, a una voce del rendiconto; ogni modalità di pagamento va indicata come Cassa o Banca. La "
        "colonna Suggerimento propone una voce in base alle parole della causale (quota, donazione, affitto, "
        "commissioni...): il pulsante Applica i suggerimenti la sceglie per le causali ancora da classificare. "
        "Si indicano anche i saldi iniziali di cassa e banca; se mancano, si usano i saldi finali dell'anno "
        "precedente. Salva classificazione scrive tutto nel file Rendiconto.ini, accanto agli archivi, che "
        "non vengono mai modificati.",
        "Il rendiconto è completo solo quando ogni movimento saldato dell'anno è stato letto, ha la data "
        "dell'anno ed è classificato, e i saldi iniziali di cassa e banca sono noti; altrimenti è dichiarato "
        "INCOMPLETO sullo schermo, sulla stampa e nel file esportato, e gli avvisi dicono perché. La verifica "
        "controlla che i saldi iniziali più l'avanzo complessivo diano la cassa più la banca di fine anno e, se "
        "non torna, ne indica le cause con i loro importi. Saldi iniziali diversi dai saldi finali calcolati "
        "dell'anno precedente sono segnalati con le due cifre.",
        "Il pulsante Dati dell'associazione permette di indicare denominazione, codice fiscale, indirizzo, "
        "numero RUNTS, tipologia, presidente e tesoriere, che compaiono nell'intestazione. Stampa mostra "
        "l'anteprima del rendiconto da depositare, con il posto per la data e le firme; spuntando Note di "
        "controllo si aggiungono, su pagine a parte, la verifica e gli avvisi. Esporta lo scrive nel file "
        "Rendiconto seguito dall'anno, con estensione .XLS oppure, scegliendo il formato \"Excel 2007 e "
        "successivi\" accanto al pulsante, .XLSX, che si apre con i programmi di foglio di calcolo.",
        "Salva PDF per il RUNTS scrive il rendiconto nel formato PDF/A richiesto per il deposito nel Registro "
        "unico nazionale del Terzo settore, con i caratteri incorporati, il luogo (la città dell'indirizzo "
        "dell'associazione) e la data di oggi sopra le firme. Il file, nella cartella del programma, si chiama "
        "Rendiconto seguito dall'anno e dal codice fiscale dell'associazione.",
    });
}

QString memberRegister()
{
    return join({
        "LIBRO SOCI. Il libro degli associati elenca chi è entrato nell'Associazione, nell'ordine di "
        "ammissione, con il numero di iscrizione, la data della delibera di ammissione, la categoria e, per chi "
        "esce, la data e la causa dell'uscita (recesso, esclusione, decadenza, decesso). Chi è uscito resta nel "
        "libro. I dati stanno nel file LibroSoci.txt accanto all'archivio dei Soci, che non viene modificato.",
        "Nella scheda del Socio il pulsante Iscrizione apre la finestra del libro soci: per un Socio non ancora "
        "iscritto propone il numero successivo e la data di oggi. Il numero non viene mai ridato, nemmeno se "
        "due postazioni iscrivono un Socio nello stesso momento; un numero scritto a mano che appartiene già a "
        "un altro Socio, o un'uscita precedente all'ammissione, vengono rifiutati con un messaggio. Per una "
        "scheda nuova l'iscrizione si registra quando la scheda viene salvata.",
        "Il pulsante Libro soci della scheda mostra il libro in ordine di numero: tutti gli iscritti, i Soci in "
        "carica in un giorno (per esempio per contare il numero legale di un'assemblea) oppure i Soci usciti, "
        "con la ricerca di un nome o di un codice. Stampa prepara il libro con l'intestazione "
        "dell'associazione e le pagine numerate \"Pagina n di N\", pronto da rilegare; Esporta lo scrive nel "
        "file LibroSoci.xls o LibroSoci.xlsx. Un doppio clic su una riga mostra la scheda del Socio.",
        "ADEMPIMENTI. Dopo l'accesso la finestra delle scadenze ricorda, dai 30 giorni prima e finché non si "
        "preme Segna come fatto, il deposito al RUNTS del rendiconto dell'anno precedente e l'aggiornamento del "
        "numero dei soci, entro il 30 giugno, e il rendiconto del 5 per mille entro un anno dal giorno in cui il "
        "contributo è stato ricevuto, da scrivere nella stessa finestra. Tutto è annotato nel file "
        "Adempimenti.ini.",
    });
}

QString yearView()
{
    return join({
        "ANDAMENTO DELL'ANNO. Si apre da Primanota e Bilancio con il pulsante Andamento, sull'anno indicato in "
        "quella finestra; un altro anno si sceglie in alto e si legge con Aggiorna. Contano, come nel rendiconto "
        "per cassa, i movimenti saldati con la data nell'anno, classificati con le stesse voci e con gli stessi "
        "saldi iniziali.",
        "Quattro grafici, ciascuno con le sue cifre nella tabella accanto: Entrate e uscite mese per mese, con "
        "l'anno precedente in linea; Cassa e banca, il saldo di cassa più banca alla fine di ogni giorno a "
        "partire dai saldi iniziali; Voci maggiori, le voci del rendiconto con gli importi più alti, in entrata "
        "e in uscita; Soci, mese per mese, quanti sono in regola, quanti scadono nel mese e quanti sono già "
        "scaduti secondo la data di scadenza della scheda. Passando con il mouse su una barra o su un punto "
        "della curva compare la sua cifra.",
        "Gli avvisi in basso dicono che cosa manca: movimenti che non si possono leggere (indicati con il loro "
        "numero, come nel rendiconto), causali non classificate, modalità di pagamento né di cassa né di banca. "
        "Un anno senza movimenti mostra i grafici vuoti e lo dice. Stampa mostra l'anteprima dei grafici su "
        "fogli orizzontali; Salva immagine scrive il grafico mostrato in un file PNG.",
        "PREVENTIVO. Il pulsante Preventivo apre il bilancio preventivo dell'anno, con le voci del rendiconto "
        "nello stesso ordine: si digita l'importo previsto per ogni voce, oppure Proponi dall'anno precedente "
        "riprende le cifre effettive dell'anno prima. Salva lo scrive nel file Preventivo.ini accanto agli "
        "archivi; Stampa lo stampa con l'intestazione dell'associazione. Se il file è danneggiato il "
        "preventivo si apre vuoto, lo si dice, e il file non viene sovrascritto senza chiedere.",
        "PREVENTIVO E CONSUNTIVO. Per ogni voce: il preventivo, la cifra effettiva fino a oggi, la differenza "
        "e la percentuale raggiunta; le righe che superano il preventivo sono segnate. Il confronto si stampa "
        "e si esporta in .XLS o .XLSX, nel file PreventivoConsuntivo seguito dall'anno.",
    });
}

QString exportSteps()
{
    return join({
        "Aperta la finestra con la griglia dei dati, scegliere in basso a destra il formato del file: "
        "\"Microsoft Excel (.xls)\", che ogni programma di calcolo apre, oppure \"Excel 2007 e successivi "
        "(.xlsx)\", che le versioni recenti di Excel aprono senza avvisi e in cui importi e date restano numeri "
        "e date, mentre codici e numeri di telefono conservano gli zeri iniziali. Poi fare clic sull'icona di "
        "Excel: il file XLS o XLSX viene creato subito con le schede dell'archivio e, rispondendo sì alla "
        "domanda che segue, si apre immediatamente.",
        "A questo punto basta salvare il file sul disco con il nome che si preferisce.",
    });
}

} // namespace

namespace HelpTexts {

QList<HelpPage> pages()
{
    return {HelpPage::StartMenu, HelpPage::Members,      HelpPage::YearChooser,   HelpPage::MovementCard,
            HelpPage::PrimaNota, HelpPage::MemberExport, HelpPage::MovementExport, HelpPage::Statement,
            HelpPage::Backup,    HelpPage::MemberRegister, HelpPage::YearView,
            HelpPage::BankImport};
}

QString title(HelpPage page)
{
    switch (page) {
    case HelpPage::StartMenu:
        return QStringLiteral("Uno sguardo a Quintara.");
    case HelpPage::Members:
        return QStringLiteral("Applicazione Archivio Soci.");
    case HelpPage::YearChooser:
    case HelpPage::MovementCard:
        return QStringLiteral("Applicazione Registrazione Movimenti.");
    case HelpPage::PrimaNota:
        return QStringLiteral("Applicazione Primanota e Bilancio.");
    case HelpPage::MemberExport:
        return QStringLiteral("Esportazione archivio Soci in Microsoft Excel.");
    case HelpPage::MovementExport:
        return QStringLiteral("Esportazione archivio movimenti in Microsoft Excel.");
    case HelpPage::Statement:
        return QStringLiteral("Rendiconto per cassa dell'Associazione.");
    case HelpPage::Backup:
        return QStringLiteral("Copie di sicurezza e ripristino.");
    case HelpPage::MemberRegister:
        return QStringLiteral("Libro soci e adempimenti dell'Associazione.");
    case HelpPage::YearView:
        return QStringLiteral("Andamento dell'anno e bilancio preventivo.");
    case HelpPage::BankImport:
        return QStringLiteral("Importazione dell'estratto conto della banca.");
    }
    return {};
}

QString body(HelpPage page)
{
    switch (page) {
    case HelpPage::StartMenu:
        return join({introduction(), memberArchive(), movementsRegister(), primaNota(), sharedUse()});
    case HelpPage::Members:
        return join({memberArchive(), movementsRegister(), receipts()});
    case HelpPage::YearChooser:
    case HelpPage::MovementCard:
        return join({movementsRegister(), receipts()});
    case HelpPage::PrimaNota:
        return primaNota();
    case HelpPage::MemberExport:
        return join({QStringLiteral("Questa funzione trasferisce le schede dei Soci in un foglio di lavoro di "
                                    "Microsoft Excel, che si può aprire con qualunque programma in grado di "
                                    "leggere i file XLS, per esempio Open Office, Libre Office o Microsoft Office."),
                     exportSteps()});
    case HelpPage::MovementExport:
        return join({QStringLiteral("Questa funzione trasferisce tutti i movimenti in entrata e in uscita "
                                    "registrati in un anno solare in un foglio di lavoro di Microsoft Excel, che "
                                    "si può aprire con qualunque programma in grado di leggere i file XLS, per "
                                    "esempio Open Office, Libre Office o Microsoft Office."),
                     exportSteps()});
    case HelpPage::Statement:
        return statement();
    case HelpPage::Backup:
        return backupCopies();
    case HelpPage::MemberRegister:
        return memberRegister();
    case HelpPage::YearView:
        return yearView();
    case HelpPage::BankImport:
        return bankImport();
    }
    return {};
}

} // namespace HelpTexts

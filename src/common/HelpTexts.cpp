#include "HelpTexts.h"

namespace {

QString join(std::initializer_list<const char *> paragraphs)
{
    QString out;
    for (const char *p : paragraphs) {
        if (!out.isEmpty())
            out += QStringLiteral("\r\n\r\n");
        out += QString::fromUtf8(p);
    }
    return out;
}

} // namespace

namespace HelpTexts {

QString members()
{
    return join({
        "ARCHIVIO SOCI. Ogni Socio ha la sua scheda: cognome e nome, numero di tessera, quota associativa, "
        "luogo e data di nascita, codice fiscale, partita IVA, indirizzo, città, provincia e CAP, qualifiche, "
        "incarico ricoperto in Associazione, IBAN, note, recapito telefonico ed e-mail.",
        "Per ogni Socio si indica la data di scadenza dell'abbonamento e i giorni di preavviso: il pulsante "
        "Scadenze elenca i Soci con abbonamenti in scadenza o scaduti, il pulsante Scaduti soltanto quelli già "
        "scaduti. Fare doppio clic su una voce per aprirne la scheda.",
        "Premere Nuovo per preparare una scheda vuota e Salva per inserirla in archivio; una scheda già in "
        "archivio viene aggiornata a ogni salvataggio. Le frecce in alto scorrono le schede una alla volta.",
        "La foto del Socio si acquisisce dalla WebCam (Acquisisci foto, poi Accendi WebCam e Importa foto "
        "acquisita) oppure da un file in formato Jpeg (Carica foto). La foto viene adattata automaticamente "
        "allo spazio della scheda; la lente la mostra ingrandita.",
        "Con Allegati si collegano alla scheda fino a tre documenti, ciascuno con una descrizione, che si "
        "aprono in seguito con il pulsante Apri.",
        "Duplica prepara una nuova scheda con gli stessi dati di quella mostrata: è comodo per inserire "
        "familiari o Soci con dati simili.",
        "Accanto al codice fiscale, alla partita IVA e all'IBAN, il pulsante di controllo verifica che il "
        "codice sia corretto; il controllo della partita IVA indica anche l'ufficio provinciale che l'ha "
        "rilasciata. Il pulsante della busta scrive una e-mail all'indirizzo indicato.",
        "Trova cerca le schede combinando più filtri. Anteprima mostra la scheda come verrà stampata, Stampa la "
        "stampa con o senza foto, Esporta scrive l'intero archivio in un file .XLS che si apre con i programmi "
        "di foglio di calcolo.",
    }) + QStringLiteral("\r\n\r\n") + movements();
}

QString movements()
{
    return join({
        "REGISTRAZIONE MOVIMENTI. Scegliere l'anno e premere Apri: ogni anno ha il proprio archivio. Per ogni "
        "movimento si indica se è un'entrata o un'uscita, l'importo, la data dell'operazione, la causale e un "
        "promemoria.",
        "La data di scadenza e i giorni di preavviso alimentano il riepilogo dei pagamenti in scadenza o scaduti "
        "e non saldati; quando un pagamento è stato effettuato si spunta la casella Saldato.",
        "Il pagatore e il beneficiario si importano dall'archivio dei Soci; anche qui si possono controllare il "
        "codice fiscale e la partita IVA e allegare fino a tre documenti. Ogni movimento si può cercare, "
        "stampare ed esportare.",
    });
}

QString startMenu()
{
    return join({
        "Quintara è il programma per il segretario o il tesoriere di un'associazione: tiene l'anagrafica dei "
        "Soci con le loro foto e lo scadenzario degli abbonamenti, e il registro delle entrate e delle uscite "
        "da cui si ottengono la primanota e il bilancio.",
    }) + QStringLiteral("\r\n\r\n") + members() + QStringLiteral("\r\n\r\n") +
           join({
               "PRIMANOTA E BILANCIO. Indicare l'anno, l'intervallo di date e, se si vuole, una causale, poi "
               "premere Visualizza riepilogo: l'elenco mostra i movimenti dell'intervallo con il totale delle "
               "entrate, quello delle uscite e il saldo. Senza causale vengono elencati tutti i movimenti.",
               "USO IN RETE. La cartella del programma può stare in una cartella condivisa della rete locale: "
               "più postazioni lavorano così sugli stessi archivi.",
               "USO DA CHIAVETTA USB. Il programma e i suoi archivi stanno tutti nella stessa cartella, che si "
               "può portare su una chiavetta USB. Copiare la cartella è anche il modo più rapido di fare una "
               "copia di sicurezza.",
               "PASSWORD. L'accesso è protetto da una password che si può cambiare dalla schermata di accesso. "
               "Il primo accesso si effettua con la password benvenutissimo, digitata senza virgolette.",
               "Buon lavoro con Quintara!",
           });
}

} // namespace HelpTexts

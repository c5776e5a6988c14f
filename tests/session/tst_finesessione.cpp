#include "exercise/FrmOperativo.h"
#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "results/FrmStampaEsercizio.h"
#include "session/FineSessione.h"
#include "session/FrmAutore.h"
#include "session/FrmInizio.h"
#include "session/Modulo2.h"
#include "support/TestSupport.h"
#include "worksheets/FrmStampaSchedeBig.h"

#include <QtTest>

namespace {
// Bare windows under the names of those the session end must leave alone, or
// close, without needing the real ones.
template <const QString& Nome> class Vuota : public Form {
public:
    static inline const QString kName = Nome;
    Vuota() : Form(kName, QSizeF(4500, 3000), false, Placement::Centred) {}

protected:
    void build() override {}
};
const QString kNome = QStringLiteral("frmNome");
const QString kAttestato = QStringLiteral("FrmAttestato");
const QString kSceltaStampante = QStringLiteral("frmSceltaStampante");
using FrmNome = Vuota<kNome>;
using FrmAttestato = Vuota<kAttestato>;
using FrmSceltaStampante = Vuota<kSceltaStampante>;

void carica(const QString& nome) {
    if (nome == FrmInizio::kName)
        Forms::get<FrmInizio>().showForm();
    else if (nome == FrmAutore::kName)
        Forms::get<FrmAutore>().showForm();
    else if (nome == FrmOperativo::kName)
        Forms::get<FrmOperativo>();
    else if (nome == FrmStampaEsercizio::kName)
        Forms::get<FrmStampaEsercizio>().showForm();
    else if (nome == FrmStampaSchedeBig::kName)
        Forms::get<FrmStampaSchedeBig>().showForm();
    else if (nome == kNome)
        Forms::get<FrmNome>().showForm();
    else if (nome == kAttestato)
        Forms::get<FrmAttestato>().showForm();
    else if (nome == kSceltaStampante)
        Forms::get<FrmSceltaStampante>().showForm();
    else
        QFAIL(qPrintable(nome));
}
} // namespace

class TstFineSessione : public QObject {
    Q_OBJECT

    int fineProgramma = 0;
    QStringList apertaAllaFine;

    void contaFine() {
        fineProgramma = 0;
        Forms::setOnLastUnloaded([this] {
            ++fineProgramma;
            apertaAllaFine = Forms::loadedNames();
        });
    }

private slots:
    void init() {
        resetProgram();
        installFakePlatform();
        contaFine();
    }
    void cleanup() { resetProgram(); }

    void ordineDiChiusura_data() {
        QTest::addColumn<QStringList>("aperte");
        QTest::addColumn<QStringList>("chiuse");
        QTest::addColumn<QStringList>("restano");
        const QString inizio = FrmInizio::kName, autore = FrmAutore::kName, esercizio = FrmOperativo::kName,
                      risultati = FrmStampaEsercizio::kName, schede = FrmStampaSchedeBig::kName;
        QTest::newRow("solo l'inizio") << QStringList{inizio} << QStringList{inizio} << QStringList();
        QTest::newRow("con About") << QStringList{inizio, autore} << QStringList{autore, inizio}
                                   << QStringList();
        QTest::newRow("tutte") << QStringList{schede, risultati, kSceltaStampante, esercizio, inizio, autore}
                               << QStringList{autore, inizio, esercizio, kSceltaStampante, risultati, schede}
                               << QStringList();
        QTest::newRow("nome e attestato restano")
            << QStringList{inizio, kNome, esercizio, kAttestato, risultati}
            << QStringList{inizio, esercizio, risultati} << QStringList{kNome, kAttestato};
        QTest::newRow("senza la finestra di inizio")
            << QStringList{schede, autore} << QStringList{autore, schede} << QStringList();
    }
    void ordineDiChiusura() {
        QFETCH(QStringList, aperte);
        QFETCH(QStringList, chiuse);
        QFETCH(QStringList, restano);
        for (const QString& nome : aperte)
            carica(nome);
        FineSessione();
        QCOMPARE(Forms::unloadLog(), chiuse);
        QCOMPARE(Forms::loadedNames(), restano);
        QCOMPARE(fineProgramma, restano.isEmpty() ? 1 : 0);
        // Running it again finds nothing left to close.
        FineSessione();
        QCOMPARE(Forms::unloadLog(), chiuse);
        QCOMPARE(fineProgramma, restano.isEmpty() ? 1 : 0);
    }

    // The program goes on while the certificate or the name window is open,
    // and ends when the last of them closes.
    void ilProgrammaFinisceConLUltimaFinestra() {
        carica(FrmInizio::kName);
        carica(kAttestato);
        carica(kNome);
        FineSessione();
        QCOMPARE(fineProgramma, 0);
        Forms::find(kAttestato)->close();
        QCOMPARE(fineProgramma, 0);
        Forms::find(kNome)->close();
        QCOMPARE(fineProgramma, 1);
        QCOMPARE(apertaAllaFine, QStringList());
    }

    void modiDiChiudere_data() {
        QTest::addColumn<QString>("modo");
        QTest::addColumn<QStringList>("chiuse");
        const QStringList daEsci{FrmAutore::kName, FrmInizio::kName, FrmOperativo::kName};
        // The close box unloads the start window first; its unload handler
        // then closes the others.
        const QStringList daChiusura{FrmInizio::kName, FrmAutore::kName, FrmOperativo::kName};
        QTest::newRow("Esci, mouse") << QStringLiteral("mouse") << daEsci;
        QTest::newRow("Esci, Invio") << QStringLiteral("invio") << daEsci;
        QTest::newRow("casella di chiusura") << QStringLiteral("chiusura") << daChiusura;
    }
    void modiDiChiudere() {
        QFETCH(QString, modo);
        QFETCH(QStringList, chiuse);
        FrmInizio& f = Forms::get<FrmInizio>();
        QVERIFY(showAndActivate(f));
        QTest::mouseClick(control<CommandTile>(&f, QStringLiteral("Option2(1)")), Qt::LeftButton);
        carica(FrmAutore::kName);
        QVERIFY(showAndActivate(f));
        auto* esci = control<CommandTile>(&f, QStringLiteral("Option3(1)"));
        Forms::clearUnloadLog();
        if (modo == QLatin1String("mouse")) {
            QTest::mousePress(esci, Qt::LeftButton);
        } else if (modo == QLatin1String("invio")) {
            esci->setFocus();
            QTest::keyPress(esci, Qt::Key_Return);
        } else {
            QVERIFY(f.close());
        }
        QCOMPARE(Forms::unloadLog(), chiuse);
        QCOMPARE(Forms::loadedNames(), QStringList());
        QCOMPARE(fineProgramma, 1);
        flushEvents();
    }

    // A window loaded again starts from its design state; the session
    // state outlives it.
    void ricaricataDalProgetto() {
        FrmInizio* prima = &Forms::get<FrmInizio>();
        QVERIFY(showAndActivate(*prima));
        QTest::mousePress(control<CommandTile>(prima, QStringLiteral("Option2(2)")), Qt::LeftButton);
        prima->setInnerSize(QSize(1000, 700));
        FineSessione();
        flushEvents();

        FrmInizio& f = Forms::get<FrmInizio>();
        QCOMPARE(control<Label>(&f, QStringLiteral("Label6"))->caption(), QString());
        QVERIFY(!control<QWidget>(&f, QStringLiteral("Frame3"))->isEnabled());
        QCOMPARE(control<QWidget>(&f, QStringLiteral("Option3(1)"))->geometry(), QRect(443, 356, 274, 76));
        QCOMPARE(control<Label>(&Forms::get<FrmOperativo>(), QStringLiteral("Label2"))->caption(), QString());
        QCOMPARE(Modulo2::get().NumMax, qint16(90));
    }
};

QTEST_MAIN(TstFineSessione)
#include "tst_finesessione.moc"

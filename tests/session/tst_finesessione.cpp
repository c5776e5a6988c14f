// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Modulo2.h"
#include "exercise/FrmOperativo.h"
#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/TileGroup.h"
#include "results/FrmStampaEsercizio.h"
#include "session/FineSessione.h"
#include "session/FrmAutore.h"
#include "session/FrmInizio.h"
#include "support/TestSupport.h"
#include "support/UnloadedWindows.h"
#include "worksheets/FrmStampaSchedeBig.h"

#include <QtTest>

namespace {
// Bare windows under the names of those the session end must leave alone, or
// close, without needing the real ones.
template <const char* Nome> struct Vuota : Form {
    static inline const QString kName = QLatin1String(Nome);
    Vuota() : Form(kName, QSizeF(4500, 3000), Kind::Fixed) {}
    void build() override {}
};
constexpr char kNome[] = "frmNome", kAttestato[] = "FrmAttestato", kSceltaStampante[] = "frmSceltaStampante";

template <class... T> void carica(const QString& nome) {
    QVERIFY2(((nome == T::kName && (Forms::get<T>().showForm(), true)) || ...), qPrintable(nome));
}
void carica(const QString& nome) {
    carica<FrmInizio, FrmAutore, FrmOperativo, FrmStampaEsercizio, FrmStampaSchedeBig, Vuota<kNome>,
           Vuota<kAttestato>, Vuota<kSceltaStampante>>(nome);
}
} // namespace

class TstFineSessione : public QObject {
    Q_OBJECT

    int fineProgramma = 0;
    QStringList apertaAllaFine;

private Q_SLOTS:
    void init() {
        resetProgram();
        installFakePlatform();
        fineProgramma = 0;
        Forms::setOnLastUnloaded([this] {
            ++fineProgramma;
            apertaAllaFine = Forms::loadedNames();
        });
    }
    void cleanup() { resetProgram(); }

    void ordineDiChiusura_data() {
        QTest::addColumn<QStringList>("aperte");
        QTest::addColumn<QStringList>("chiuse");
        QTest::addColumn<QStringList>("restano");
        const QString inizio = FrmInizio::kName, autore = FrmAutore::kName, esercizio = FrmOperativo::kName,
                      risultati = FrmStampaEsercizio::kName, schede = FrmStampaSchedeBig::kName;
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
        QCOMPARE(unloadedWindows(), chiuse);
        QCOMPARE(Forms::loadedNames(), restano);
        // Running it again finds nothing left to close.
        FineSessione();
        QCOMPARE(unloadedWindows(), chiuse);
        // The program goes on while the certificate or the name window is
        // open, and ends when the last of them closes.
        for (const QString& nome : restano) {
            QCOMPARE(fineProgramma, 0);
            Forms::find(nome)->close();
        }
        QCOMPARE(fineProgramma, 1);
        QCOMPARE(apertaAllaFine, QStringList());
    }

    void modiDiChiudere_data() {
        QTest::addColumn<bool>("esci");
        QTest::addColumn<QStringList>("chiuse");
        QTest::newRow("Esci") << true << QStringList{FrmAutore::kName, FrmInizio::kName, FrmOperativo::kName};
        // The close box unloads the start window first; its unload handler
        // then closes the others.
        QTest::newRow("casella di chiusura")
            << false << QStringList{FrmInizio::kName, FrmAutore::kName, FrmOperativo::kName};
    }
    void modiDiChiudere() {
        QFETCH(bool, esci);
        QFETCH(QStringList, chiuse);
        FrmInizio* f = &Forms::get<FrmInizio>();
        QVERIFY(showAndActivate(*f));
        QTest::mouseClick(f->livelli()->tile(1), Qt::LeftButton);
        setInnerSize(*f, QSize(1000, 700));
        carica(FrmAutore::kName);
        clearUnloadedWindows();
        if (esci)
            QTest::mousePress(f->vaiEsci()->tile(1), Qt::LeftButton);
        else
            QVERIFY(f->close());
        QCOMPARE(unloadedWindows(), chiuse);
        QCOMPARE(Forms::loadedNames(), QStringList());
        QCOMPARE(fineProgramma, 1);
        flushEvents();
        // A window loaded again starts from its design state; the session
        // state outlives it.
        f = &Forms::get<FrmInizio>();
        QCOMPARE(control<Label>(f, QStringLiteral("Label6"))->caption(), QString());
        QVERIFY(!control<QWidget>(f, QStringLiteral("Frame3"))->isEnabled());
        QCOMPARE(control<QWidget>(f, QStringLiteral("Option3(1)"))->geometry(), QRect(443, 356, 274, 76));
        QCOMPARE(control<Label>(&Forms::get<FrmOperativo>(), QStringLiteral("Label2"))->caption(), QString());
        QCOMPARE(Modulo2::get().NumMax, qint16(70));
    }
};

QTEST_MAIN(TstFineSessione)
#include "tst_finesessione.moc"

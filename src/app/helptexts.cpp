#include "mainwindow.h"

// The help texts go through QObject::tr once, here, in whatever catalogue is
// installed while the window is built; a later change of catalogue does not
// reach them.
void MainWindow::initHelpTexts()
{
    helpTexts[0] = QObject::tr(
        "Mit dieser Funktion werden nach dem Einbau Manual- oder Pedalsensoren erstmalig zugeordnet.\n"
        "\n"
        "1) Wählen Sie das Manual aus, das Sie einrichten möchten.\n"
        "2) Klicken Sie auf Start.\n"
        "3) Drücken Sie von links nach rechts jede Taste des Manuals ein Mal.\n"
        "4) Klicken Sie auf Stop.\n"
        "5) Drücken sie auf \"Werte ansehen\" und kontrollieren Sie, ob alle Tasten erkannt wurden.\n"
        "    Wenn nicht, wiederholen Sie 2-5. \t\n"
        "6) Drücken Sie \"Konfiguration speichern\", um die Manualdaten auf der SD-Karte im Master-Modul zu "
        "speichern.\n"
        "7) Nach dem Einrichten des letzten Manuals, trennen Sie die Verbindung und drücken die Reset-Taste "
        "am "
        "Master-Modul.");
    helpTexts[1] = QObject::tr(
        "Mit dieser Funktion werden Minimal/Maximal-Werte der Tasten erfasst und die Standard-Leerreise "
        "eingestellt.\n"
        "Falls Sie nach Manual-Einrichten einen Master-Reset durchgeführt haben, stellen Sie  die Verbinung "
        "zum "
        "Master neu her.\n"
        "\n"
        "1) Wählen Sie das Manual oder Pedal aus, das Sie bearbeiten möchten.\n"
        "2) Klicken Sie auf Start.\n"
        "3) Drücken Sie jede Taste des Manuals einmal mit normaler Spiel-Kraft bis zum Anschlag (nicht stark "
        "ins "
        "Polster).\n"
        "4) Klicken Sie auf Stop.\n"
        "5) Zur Kontrolle können Sie auf \"Werte ansehen\" klicken und überprüfen, ob die Werte für "
        "\"KeyUp\" und "
        "\"KeyDown\"\n"
        "    plausibel sind (nähere Informationen dazu in der Bedienungsanleitung).\n"
        "6) Klicken Sie \"Konfiguration speichern\" und beginnen die Kalibration für weitere Manuale bei 1). "
        " \n");
    helpTexts[2] = QObject::tr(
        "Hier können Sie Grundparameter für jedes Manual oder Pedal getrennt einstellen (Auswahl im "
        "Manual-Menü "
        "rechts):\n"
        "\n"
        "Die Entprellung verhindert unerwünschte Töne, wenn die Taste bei der Rückkehr in die Ruhelage "
        "zurückfedert.\n"
        "Typisch sind 30 - 50ms. Wenn Geisternoten auftreten, wenn die Taste  zurückschnappt, vergrößern Sie "
        "den "
        "Wert\n"
        "maximal 99ms). Wenn bei schneller Repetition Noten verschluckt werden, verkleinern Sie den Wert.\n"
        "\n"
        "Die Schaltpunkt-Spreizung legt den Ausschalt- und Repetitionspunkt tiefer als den Einschaltpunkt "
        "(siehe "
        "Handbuch).\n"
        "Bei 50% liegt der Aus-Punkt auf halbem Weg zwischen Leerreise-Ende und unterer Tasten-Endlage.\n"
        "\n"
        "Nach \"senden\" können Sie die Einstellungen testen. Zum permanenten Ändern drücken Sie "
        "\"Konfiguration "
        "speichern\".");
    helpTexts[3] = QObject::tr(
        "Mit dieser Funktion können Sie die Leerreise eines gesamten Manuals vergrößern oder verkleinern.\n"
        "\n"
        "1) Wählen Sie das Manual aus, bei dem Sie die Leerreise einstellen wollen\n"
        "2) Klicken Sie auf Leerreise verkürzen oder verlängern, um den Tastenweg bis zum Toneinsatz zu "
        "verändern.\n"
        "   Jeder Klick verändert die Leerreise um ca. 0,1mm.\n"
        "   Diese Funktion arbeitet mit rechnerischen Werten, möglicherweise ist das Ergebnis nicht bei "
        "jeder "
        "Taste gleich.\n"
        "   Zur Einstellung oder Korrektur einzelner Tatsten dient die Funktion \"Leerreise fein\".\n"
        "3) Zur Kontrolle, wie sich die Auslösewerte ändern (\"Trigger\"), klicken Sie auf \"Werte "
        "ansehen\".\n"
        "4) Wenn Sie mit den Einstellungen zufrieden sind, speichern Sie mit \"Konfiguration speichern\".\n"
        "    Ohne Speichern gelten nach dem nächsten Start des Master-Moduls wieder die vorherigen Werte!");
    helpTexts[4] = QObject::tr(
        "Interaktive Justage der Leerreise direkt mit der Klaviatur.\n"
        "\n"
        "1) Klicken Sie auf Start.\n"
        "2) Drücken Sie die Taste, die Sie einstellen möchten. Nur diese Taste spielt jetzt Töne.\n"
        "3) Drücken sie eine beliebige Obertaste (z.B. auf einem anderen Manual), um die Leerreise zu "
        "verkürzen "
        "oder eine Untertaste,\n"
        "    um die Leerreise zu verlängern (gleichzeitiges Betätigen von mehreren Ober/Untertasten erhöht "
        "die "
        "Schrittweite).\n"
        "4) Wiederholen Sie den Vorgang, bis Sie mit der Einstellung für diese Taste zufrieden sind.\n"
        "5) Betätigen gleichzeitig eine Ober- und eine Untertaste, um die Justage abzuschließen\n"
        "6) Wählen Sie eine neue Taste zur Justage bei 2) und führen dort den gleichen Vorgang aus.\n"
        "7) Klicken sie auf Stop, um in den Spielmodus zurückzukehren und die Einstellung akustisch zu "
        "kontrollieren\n"
        "    Sie können beliebig oft zwischen Spielmodus und Justage wechseln.\n"
        "8) Haben Sie die Justage eines Manuals beendet, klicken Sie \"Konfiguration speichern\" für das "
        "entsprechende Manual.");
    helpTexts[5] = QObject::tr(
        "Wenn Ihr System für dynamische Koppeln eingerichtet ist, die in Abhängigkeit von der "
        "Anschlaggeschwindigkeit aktiv werden,\n"
        "können Sie hier die Anschlagschwelle (Midi Velocity) einstellen.\n"
        "Eine Koppel mit Schwellwert 0 ist beim Einschalten immer aktiv.\n"
        "Der Maximalwert der Geschwindigkeit beträgt 127. Gut zu kontrollieren ist eine Schwelle um ca. 40.\n"
        "\n"
        "1) Aktivieren Sie die Koppel am Spieltisch\n"
        "2) Setzen Sie den Schwellwert der entsprechenden Koppel im Feld Schwelle.\n"
        "3) Klicken Sie auf \"set\", um den Wert zu übertragen.\n"
        "4) Testen Sie die Einstellung am Manual und ändern den Wert, bis die Koppel für Sie gut zu "
        "kontrollieren "
        "ist.\n"
        "5) Klicken sie auf \"Orgel.cnf speichern\" um die Einstellungen zu sichern.");
    helpTexts[6] = QObject::tr("Die Funktionen sollten nur von Service-Technikern benutzt werden!\n"
                               "Sie können damit die Sensoren in einen Zustand bringen, der einen Ausbau "
                               "erforderlich macht.");
}

void MainWindow::tabchanged(int TabNr)
{
    if (TabNr >= 0 && TabNr < kHelpTextCount)
        emit setTabMessage(helpTexts[TabNr]);
    else
        emit setTabMessage(QString());
}

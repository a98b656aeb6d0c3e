<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>DialogLogin</name>
    <message>
        <source>Login Dialog</source>
        <translation>Login Dialog</translation>
    </message>
    <message>
        <source>connect</source>
        <translation>verbinden</translation>
    </message>
    <message>
        <source>Windows auto</source>
        <translation>Windows auto</translation>
    </message>
    <message>
        <source>Veltrona Standard 1</source>
        <translation>Veltrona Standard 1</translation>
    </message>
    <message>
        <source>Veltrona Standard 2</source>
        <translation>Veltrona Standard 2</translation>
    </message>
    <message>
        <source>Andere IP</source>
        <translation>Andere IP</translation>
    </message>
    <message>
        <source>IP Adress</source>
        <translation>IP Adresse</translation>
    </message>
    <message>
        <source>tastarello</source>
        <translation>tastarello</translation>
    </message>
    <message>
        <source>kantor</source>
        <translation>kantor</translation>
    </message>
    <message>
        <source>Benutzername</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>1) Wählen Sie die IP-Addresse Ihres Tastarello Master-Moduls.
    Normalerweise sollte sich Ihr Rechner im Automatikmodus (&quot;DHCP&quot;)
    befinden und mit keinem anderen Netzwerk verbunden sein.
    Dann funktioniert die Grundeinstellung &quot;Windows auto&quot;.
    Wenn Sie eine spezielle Konfiguration verwenden, wählen Sie &quot;custom IP&quot;
    und tragen Sie im IP Feld die IP-Adresse des Master-Moduls ein.
2) Drücken Sie &quot;Verbinden&quot;, um sich mit dem Master zu verbinden.
</source>
        <translation>1) Wählen Sie die IP-Addresse Ihres Tastarello Master-Moduls.
    Normalerweise sollte sich Ihr Rechner im Automatikmodus (&quot;DHCP&quot;)
    befinden und mit keinem anderen Netzwerk verbunden sein.
    Dann funktioniert die Grundeinstellung &quot;Windows auto&quot;.
    Wenn Sie eine spezielle Konfiguration verwenden, wählen Sie &quot;custom IP&quot;
    und tragen Sie im IP Feld die IP-Adresse des Master-Moduls ein.
2) Drücken Sie &quot;Verbinden&quot;, um sich mit dem Master zu verbinden.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Einrichten</source>
        <translation>Einrichten</translation>
    </message>
    <message>
        <source>setup new manual</source>
        <translation>Neues Manual einrichten</translation>
    </message>
    <message>
        <source>delete manual </source>
        <translation>Manual löschen</translation>
    </message>
    <message>
        <source>Kalibrieren</source>
        <translation>Kalibrieren</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Entprellzeit in ms:</source>
        <translation>Entprellzeit in ms:</translation>
    </message>
    <message>
        <source>Schaltpunkt-Spreizung in %:</source>
        <translation>Schaltpunkt-Spreizung in %:</translation>
    </message>
    <message>
        <source>50</source>
        <translation>50</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Spreizung -</source>
        <translation>Spreizung -</translation>
    </message>
    <message>
        <source>Spreizung +</source>
        <translation>Spreizung +</translation>
    </message>
    <message>
        <source>Senden</source>
        <translation>senden</translation>
    </message>
    <message>
        <source>Leerreise grob</source>
        <translation>Leerreise grob</translation>
    </message>
    <message>
        <source>Leerreise verkürzen</source>
        <translation>Leerreise verkürzen</translation>
    </message>
    <message>
        <source>Leerreise verlängern</source>
        <translation>Leerreise verlängern</translation>
    </message>
    <message>
        <source>Leerreise fein</source>
        <translation>Leerreise fein</translation>
    </message>
    <message>
        <source>dyn. Koppel</source>
        <translation>dyn. Koppel</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>set</source>
        <translation>setzen</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>Koppel Nr.:</source>
        <translation>Koppel Nr.:</translation>
    </message>
    <message>
        <source>Schwelle</source>
        <translation>Schwelle</translation>
    </message>
    <message>
        <source>Orgel.cnf speichern</source>
        <translation>Orgel.cnf speichern</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Alle Werte anzeigen</source>
        <translation>Alle Werte anzeigen</translation>
    </message>
    <message>
        <source>Befehl lesen</source>
        <translation>Befehl lesen</translation>
    </message>
    <message>
        <source>Befehl schreiben</source>
        <translation>Befehl schreiben</translation>
    </message>
    <message>
        <source>Software-Version Master</source>
        <translation>Software-Version Master</translation>
    </message>
    <message>
        <source>Software-Version Slave</source>
        <translation>Software-Version Slave</translation>
    </message>
    <message>
        <source>Hardware-Version Master</source>
        <translation>Hardware-Version Master</translation>
    </message>
    <message>
        <source>Master Datum auslesen</source>
        <translation>Master Datum auslesen</translation>
    </message>
    <message>
        <source>Midi Startnote setzen</source>
        <translation>Midi Startnote setzen</translation>
    </message>
    <message>
        <source>Master Datum setzen</source>
        <translation>Master Datum setzen</translation>
    </message>
    <message>
        <source>Startnote: (C=36)</source>
        <translation>Startnote: (C=36)</translation>
    </message>
    <message>
        <source>1.3.0.0</source>
        <translation>1.3.0.0</translation>
    </message>
    <message>
        <source>2.0.0.0</source>
        <translation>2.0.0.0</translation>
    </message>
    <message>
        <source>Firmware Update</source>
        <translation>Firmware Update</translation>
    </message>
    <message>
        <source>Board Nr.:</source>
        <translation>Board Nr.:</translation>
    </message>
    <message>
        <source>schreibe Flash Konfiguration</source>
        <translation>schreibe Flash Konfiguration</translation>
    </message>
    <message>
        <source>lösche alle Flash-Konfigurationen </source>
        <translation>lösche alle Flash Konfigurationen</translation>
    </message>
    <message>
        <source>lösche Flash Konfiguration</source>
        <translation>lösche Flash Konfiguration</translation>
    </message>
    <message>
        <source>Konfiguration speichern</source>
        <translation>Konfiguration speichern</translation>
    </message>
    <message>
        <source>senden</source>
        <translation>senden</translation>
    </message>
    <message>
        <source>Lösche Terminal</source>
        <translation>Lösche Terminal</translation>
    </message>
    <message>
        <source>* Drücken Sie &quot;Trennen/Verbinden&quot;, um die Verbindung zu beenden oder herzustellen.

* Wenn Sie den Master am Modul neu starten wollen,
   trennen Sie vorher die Verbindung und verbinden Sie nach dem Neustart neu.

* Wenn Sie die Funktion “Reset Master” verwenden, 
   wird ein Neustart des Master ausgelöst
   und die Verbindung automatisch nach 10s wieder hergestellt.
   Dieser Neustart ist z.B. nötig, nachdem ein neues Manual eingerichtet wurde.</source>
        <translation>* Drücken Sie &quot;Trennen/Verbinden&quot;, um die Verbindung zu beenden oder herzustellen.

* Wenn Sie den Master am Modul neu starten wollen,
   trennen Sie vorher die Verbindung und verbinden Sie nach dem Neustart neu.

* Wenn Sie die Funktion “Reset Master” verwenden, 
   wird ein Neustart des Master ausgelöst
   und die Verbindung automatisch nach 10s wieder hergestellt.
   Dieser Neustart ist z.B. nötig, nachdem ein neues Manual eingerichtet wurde.</translation>
    </message>
    <message>
        <source>Befehl:</source>
        <translation>Befehl:</translation>
    </message>
    <message>
        <source>Mit dieser Funktion werden nach dem Einbau Manual- oder Pedalsensoren erstmalig zugeordnet.

1) Wählen Sie das Manual aus, das Sie einrichten möchten.
2) Klicken Sie auf Start.
3) Drücken Sie von links nach rechts jede Taste des Manuals ein Mal.
4) Klicken Sie auf Stop.
5) Drücken sie auf &quot;Werte ansehen&quot; und kontrollieren Sie, ob alle Tasten erkannt wurden.
    Wenn nicht, wiederholen Sie 2-5. &#9;
6) Drücken Sie &quot;Konfiguration speichern&quot;, um die Manualdaten auf der SD-Karte im Master-Modul zu speichern.
7) Nach dem Einrichten des letzten Manuals, trennen Sie die Verbindung und drücken die Reset-Taste am Master-Modul.</source>
        <translation>Mit dieser Funktion werden nach dem Einbau Manual- oder Pedalsensoren erstmalig zugeordnet.

1) Wählen Sie das Manual aus, das Sie einrichten möchten.
2) Klicken Sie auf Start.
3) Drücken Sie von links nach rechts jede Taste des Manuals ein Mal.
4) Klicken Sie auf Stop.
5) Drücken sie auf &quot;Werte ansehen&quot; und kontrollieren Sie, ob alle Tasten erkannt wurden.
    Wenn nicht, wiederholen Sie 2-5. &#9;
6) Drücken Sie &quot;Konfiguration speichern&quot;, um die Manualdaten auf der SD-Karte im Master-Modul zu speichern.
7) Nach dem Einrichten des letzten Manuals, trennen Sie die Verbindung und drücken die Reset-Taste am Master-Modul.</translation>
    </message>
    <message>
        <source>Werte ansehen</source>
        <translation>Werte ansehen</translation>
    </message>
    <message>
        <source>Manual Nr.:</source>
        <translation>Manual Nr.:</translation>
    </message>
    <message>
        <source>Manual 1</source>
        <translation>Manual 1</translation>
    </message>
    <message>
        <source>Manual 2</source>
        <translation>Manual 2</translation>
    </message>
    <message>
        <source>Manual 3</source>
        <translation>Manual 3</translation>
    </message>
    <message>
        <source>Manual 4</source>
        <translation>Manual 4</translation>
    </message>
    <message>
        <source>Manual 5</source>
        <translation>Manual 5</translation>
    </message>
    <message>
        <source>Manual 6</source>
        <translation>Manual 6</translation>
    </message>
    <message>
        <source>Pedal 1</source>
        <translation>Pedal 1</translation>
    </message>
    <message>
        <source>Pedal 2</source>
        <translation>Pedal 2</translation>
    </message>
    <message>
        <source>Piano</source>
        <translation>Piano</translation>
    </message>
    <message>
        <source>Trennen</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>Reset Master</source>
        <translation>Reset Master</translation>
    </message>
    <message>
        <source>Tastarello 2.2</source>
        <translation>Tastarello 2.2</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Mit dieser Funktion werden nach dem Einbau Manual- oder Pedalsensoren erstmalig zugeordnet.

1) Wählen Sie das Manual aus, das Sie einrichten möchten.
2) Klicken Sie auf Start.
3) Drücken Sie von links nach rechts jede Taste des Manuals ein Mal.
4) Klicken Sie auf Stop.
5) Drücken sie auf &quot;Werte ansehen&quot; und kontrollieren Sie, ob alle Tasten erkannt wurden.
    Wenn nicht, wiederholen Sie 2-5. &#9;
6) Drücken Sie &quot;Konfiguration speichern&quot;, um die Manualdaten auf der SD-Karte im Master-Modul zu speichern.
7) Nach dem Einrichten des letzten Manuals, trennen Sie die Verbindung und drücken die Reset-Taste am Master-Modul.</source>
        <translation>Mit dieser Funktion werden nach dem Einbau Manual- oder Pedalsensoren erstmalig zugeordnet.

1) Wählen Sie das Manual aus, das Sie einrichten möchten.
2) Klicken Sie auf Start.
3) Drücken Sie von links nach rechts jede Taste des Manuals ein Mal.
4) Klicken Sie auf Stop.
5) Drücken sie auf &quot;Werte ansehen&quot; und kontrollieren Sie, ob alle Tasten erkannt wurden.
    Wenn nicht, wiederholen Sie 2-5. &#9;
6) Drücken Sie &quot;Konfiguration speichern&quot;, um die Manualdaten auf der SD-Karte im Master-Modul zu speichern.
7) Nach dem Einrichten des letzten Manuals, trennen Sie die Verbindung und drücken die Reset-Taste am Master-Modul.</translation>
    </message>
    <message>
        <source>Mit dieser Funktion werden Minimal/Maximal-Werte der Tasten erfasst und die Standard-Leerreise eingestellt.
Falls Sie nach Manual-Einrichten einen Master-Reset durchgeführt haben, stellen Sie  die Verbinung zum Master neu her.

1) Wählen Sie das Manual oder Pedal aus, das Sie bearbeiten möchten.
2) Klicken Sie auf Start.
3) Drücken Sie jede Taste des Manuals einmal mit normaler Spiel-Kraft bis zum Anschlag (nicht stark ins Polster).
4) Klicken Sie auf Stop.
5) Zur Kontrolle können Sie auf &quot;Werte ansehen&quot; klicken und überprüfen, ob die Werte für &quot;KeyUp&quot; und &quot;KeyDown&quot;
    plausibel sind (nähere Informationen dazu in der Bedienungsanleitung).
6) Klicken Sie &quot;Konfiguration speichern&quot; und beginnen die Kalibration für weitere Manuale bei 1).  
</source>
        <translation>Mit dieser Funktion werden Minimal/Maximal-Werte der Tasten erfasst und die Standard-Leerreise eingestellt.
Falls Sie nach Manual-Einrichten einen Master-Reset durchgeführt haben, stellen Sie  die Verbinung zum Master neu her.

1) Wählen Sie das Manual oder Pedal aus, das Sie bearbeiten möchten.
2) Klicken Sie auf Start.
3) Drücken Sie jede Taste des Manuals einmal mit normaler Spiel-Kraft bis zum Anschlag (nicht stark ins Polster).
4) Klicken Sie auf Stop.
5) Zur Kontrolle können Sie auf &quot;Werte ansehen&quot; klicken und überprüfen, ob die Werte für &quot;KeyUp&quot; und &quot;KeyDown&quot;
    plausibel sind (nähere Informationen dazu in der Bedienungsanleitung).
6) Klicken Sie &quot;Konfiguration speichern&quot; und beginnen die Kalibration für weitere Manuale bei 1).  </translation>
    </message>
    <message>
        <source>Hier können Sie Grundparameter für jedes Manual oder Pedal getrennt einstellen (Auswahl im Manual-Menü rechts):

Die Entprellung verhindert unerwünschte Töne, wenn die Taste bei der Rückkehr in die Ruhelage zurückfedert.
Typisch sind 30 - 50ms. Wenn Geisternoten auftreten, wenn die Taste  zurückschnappt, vergrößern Sie den Wert
maximal 99ms). Wenn bei schneller Repetition Noten verschluckt werden, verkleinern Sie den Wert.

Die Schaltpunkt-Spreizung legt den Ausschalt- und Repetitionspunkt tiefer als den Einschaltpunkt (siehe Handbuch).
Bei 50% liegt der Aus-Punkt auf halbem Weg zwischen Leerreise-Ende und unterer Tasten-Endlage.

Nach &quot;senden&quot; können Sie die Einstellungen testen. Zum permanenten Ändern drücken Sie &quot;Konfiguration speichern&quot;.</source>
        <translation>Hier können Sie Grundparameter für jedes Manual oder Pedal getrennt einstellen (Auswahl im Manual-Menü rechts):

Die Entprellung verhindert unerwünschte Töne, wenn die Taste bei der Rückkehr in die Ruhelage zurückfedert.
Typisch sind 30 - 50ms. Wenn Geisternoten auftreten, wenn die Taste  zurückschnappt, vergrößern Sie den Wert
maximal 99ms). Wenn bei schneller Repetition Noten verschluckt werden, verkleinern Sie den Wert.

Die Schaltpunkt-Spreizung legt den Ausschalt- und Repetitionspunkt tiefer als den Einschaltpunkt (siehe Handbuch).
Bei 50% liegt der Aus-Punkt auf halbem Weg zwischen Leerreise-Ende und unterer Tasten-Endlage.

Nach &quot;senden&quot; können Sie die Einstellungen testen. Zum permanenten Ändern drücken Sie &quot;Konfiguration speichern&quot;.</translation>
    </message>
    <message>
        <source>Mit dieser Funktion können Sie die Leerreise eines gesamten Manuals vergrößern oder verkleinern.

1) Wählen Sie das Manual aus, bei dem Sie die Leerreise einstellen wollen
2) Klicken Sie auf Leerreise verkürzen oder verlängern, um den Tastenweg bis zum Toneinsatz zu verändern.
   Jeder Klick verändert die Leerreise um ca. 0,1mm.
   Diese Funktion arbeitet mit rechnerischen Werten, möglicherweise ist das Ergebnis nicht bei jeder Taste gleich.
   Zur Einstellung oder Korrektur einzelner Tatsten dient die Funktion &quot;Leerreise fein&quot;.
3) Zur Kontrolle, wie sich die Auslösewerte ändern (&quot;Trigger&quot;), klicken Sie auf &quot;Werte ansehen&quot;.
4) Wenn Sie mit den Einstellungen zufrieden sind, speichern Sie mit &quot;Konfiguration speichern&quot;.
    Ohne Speichern gelten nach dem nächsten Start des Master-Moduls wieder die vorherigen Werte!</source>
        <translation>Mit dieser Funktion können Sie die Leerreise eines gesamten Manuals vergrößern oder verkleinern.

1) Wählen Sie das Manual aus, bei dem Sie die Leerreise einstellen wollen
2) Klicken Sie auf Leerreise verkürzen oder verlängern, um den Tastenweg bis zum Toneinsatz zu verändern.
   Jeder Klick verändert die Leerreise um ca. 0,1mm.
   Diese Funktion arbeitet mit rechnerischen Werten, möglicherweise ist das Ergebnis nicht bei jeder Taste gleich.
   Zur Einstellung oder Korrektur einzelner Tatsten dient die Funktion &quot;Leerreise fein&quot;.
3) Zur Kontrolle, wie sich die Auslösewerte ändern (&quot;Trigger&quot;), klicken Sie auf &quot;Werte ansehen&quot;.
4) Wenn Sie mit den Einstellungen zufrieden sind, speichern Sie mit &quot;Konfiguration speichern&quot;.
    Ohne Speichern gelten nach dem nächsten Start des Master-Moduls wieder die vorherigen Werte!</translation>
    </message>
    <message>
        <source>Interaktive Justage der Leerreise direkt mit der Klaviatur.

1) Klicken Sie auf Start.
2) Drücken Sie die Taste, die Sie einstellen möchten. Nur diese Taste spielt jetzt Töne.
3) Drücken sie eine beliebige Obertaste (z.B. auf einem anderen Manual), um die Leerreise zu verkürzen oder eine Untertaste,
    um die Leerreise zu verlängern (gleichzeitiges Betätigen von mehreren Ober/Untertasten erhöht die Schrittweite).
4) Wiederholen Sie den Vorgang, bis Sie mit der Einstellung für diese Taste zufrieden sind.
5) Betätigen gleichzeitig eine Ober- und eine Untertaste, um die Justage abzuschließen
6) Wählen Sie eine neue Taste zur Justage bei 2) und führen dort den gleichen Vorgang aus.
7) Klicken sie auf Stop, um in den Spielmodus zurückzukehren und die Einstellung akustisch zu kontrollieren
    Sie können beliebig oft zwischen Spielmodus und Justage wechseln.
8) Haben Sie die Justage eines Manuals beendet, klicken Sie &quot;Konfiguration speichern&quot; für das entsprechende Manual.</source>
        <translation>Interaktive Justage der Leerreise direkt mit der Klaviatur.

1) Klicken Sie auf Start.
2) Drücken Sie die Taste, die Sie einstellen möchten. Nur diese Taste spielt jetzt Töne.
3) Drücken sie eine beliebige Obertaste (z.B. auf einem anderen Manual), um die Leerreise zu verkürzen oder eine Untertaste,
    um die Leerreise zu verlängern (gleichzeitiges Betätigen von mehreren Ober/Untertasten erhöht die Schrittweite).
4) Wiederholen Sie den Vorgang, bis Sie mit der Einstellung für diese Taste zufrieden sind.
5) Betätigen gleichzeitig eine Ober- und eine Untertaste, um die Justage abzuschließen
6) Wählen Sie eine neue Taste zur Justage bei 2) und führen dort den gleichen Vorgang aus.
7) Klicken sie auf Stop, um in den Spielmodus zurückzukehren und die Einstellung akustisch zu kontrollieren
    Sie können beliebig oft zwischen Spielmodus und Justage wechseln.
8) Haben Sie die Justage eines Manuals beendet, klicken Sie &quot;Konfiguration speichern&quot; für das entsprechende Manual.</translation>
    </message>
    <message>
        <source>Wenn Ihr System für dynamische Koppeln eingerichtet ist, die in Abhängigkeit von der Anschlaggeschwindigkeit aktiv werden,
können Sie hier die Anschlagschwelle (Midi Velocity) einstellen.
Eine Koppel mit Schwellwert 0 ist beim Einschalten immer aktiv.
Der Maximalwert der Geschwindigkeit beträgt 127. Gut zu kontrollieren ist eine Schwelle um ca. 40.

1) Aktivieren Sie die Koppel am Spieltisch
2) Setzen Sie den Schwellwert der entsprechenden Koppel im Feld Schwelle.
3) Klicken Sie auf &quot;set&quot;, um den Wert zu übertragen.
4) Testen Sie die Einstellung am Manual und ändern den Wert, bis die Koppel für Sie gut zu kontrollieren ist.
5) Klicken sie auf &quot;Orgel.cnf speichern&quot; um die Einstellungen zu sichern.</source>
        <translation>Wenn Ihr System für dynamische Koppeln eingerichtet ist, die in Abhängigkeit von der Anschlaggeschwindigkeit aktiv werden,
können Sie hier die Anschlagschwelle (Midi Velocity) einstellen.
Eine Koppel mit Schwellwert 0 ist beim Einschalten immer aktiv.
Der Maximalwert der Geschwindigkeit beträgt 127. Gut zu kontrollieren ist eine Schwelle um ca. 40.

1) Aktivieren Sie die Koppel am Spieltisch.
2) Setzen Sie den Schwellwert der entsprechenden Koppel im Feld Schwelle.
3) Klicken Sie auf &quot;set&quot;, um den Wert zu übertragen.
4) Testen Sie die Einstellung am Manual und ändern den Wert, bis die Koppel für Sie gut zu kontrollieren ist.
5) Klicken sie auf &quot;Orgel.cnf speichern&quot; um die Einstellungen zu sichern.</translation>
    </message>
    <message>
        <source>Die Funktionen sollten nur von Service-Technikern benutzt werden!
Sie können damit die Sensoren in einen Zustand bringen, der einen Ausbau erforderlich macht.</source>
        <translation>Die Funktionen sollten nur von Service-Technikern benutzt werden!
Sie können damit die Sensoren in einen Zustand bringen, der einen Ausbau erforderlich macht.</translation>
    </message>
    <message>
        <source>complete setup</source>
        <translation>Einrichtung beenden</translation>
    </message>
    <message>
        <source>setup new manual</source>
        <translation>Neues Manual einrichten</translation>
    </message>
    <message>
        <source>Trennen</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>Verbinden</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Befehlszeilen warten noch auf das Senden: %1.
Erst senden und dann beenden?</source>
        <translation>Befehlszeilen warten noch auf das Senden: %1.
Erst senden und dann beenden?</translation>
    </message>
    <message>
        <source>Anmeldung abgelehnt</source>
        <translation>Anmeldung abgelehnt</translation>
    </message>
    <message>
        <source>Das Programm endet nach dem Senden</source>
        <translation>Das Programm endet nach dem Senden</translation>
    </message>
    <message>
        <source>Keine Verbindung: %1 Befehlszeilen wurden nicht gesendet.</source>
        <translation>Keine Verbindung: %1 Befehlszeilen wurden nicht gesendet.</translation>
    </message>
</context>
<context>
    <name>TerminalSaver</name>
    <message>
        <source>Terminal speichern…</source>
        <translation>Terminal speichern…</translation>
    </message>
    <message>
        <source>Terminal speichern</source>
        <translation>Terminal speichern</translation>
    </message>
    <message>
        <source>Textdateien (*.txt);;Alle Dateien (*)</source>
        <translation>Textdateien (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Die Datei %1 konnte nicht geschrieben werden: %2</source>
        <translation>Die Datei %1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Zeitstempel anzeigen</source>
        <translation>Zeitstempel anzeigen</translation>
    </message>
</context>
<context>
    <name>PaneFinder</name>
    <message>
        <source>Nicht gefunden</source>
        <translation>Nicht gefunden</translation>
    </message>
    <message>
        <source>Vom Anfang weiter</source>
        <translation>Vom Anfang weiter</translation>
    </message>
    <message>
        <source>Vom Ende weiter</source>
        <translation>Vom Ende weiter</translation>
    </message>
</context>
</TS>

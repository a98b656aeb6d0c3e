<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>DialogLogin</name>
    <message>
        <source>Login Dialog</source>
        <translation>login dialog</translation>
    </message>
    <message>
        <source>connect</source>
        <translation>connect</translation>
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
        <translation>other ip</translation>
    </message>
    <message>
        <source>IP Adress</source>
        <translation>ip address</translation>
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
        <translation>username</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>password</translation>
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
        <translation>1) Choose the IP-address of your Tastarello master module.
    Normally your computer should be in automatic mode (&quot;DHCP&quot;)
    and not be connected to any other network.
    Then the default setting &quot;Windows auto&quot; works.
    If you use a special configuration, choose &quot;other ip&quot;
    and enter the IP-address of the master module in the IP field.
2) Press &quot;connect&quot; to connect to the master.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Quit</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Einrichten</source>
        <translation>setup</translation>
    </message>
    <message>
        <source>setup new manual</source>
        <translation>setup new manual</translation>
    </message>
    <message>
        <source>delete manual </source>
        <translation>delete manual</translation>
    </message>
    <message>
        <source>Kalibrieren</source>
        <translation>calibrate</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>start</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>settings</translation>
    </message>
    <message>
        <source>Entprellzeit in ms:</source>
        <translation>debounce-time ms:</translation>
    </message>
    <message>
        <source>Schaltpunkt-Spreizung in %:</source>
        <translation>on/off spread in %:</translation>
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
        <translation>spread -</translation>
    </message>
    <message>
        <source>Spreizung +</source>
        <translation>spread +</translation>
    </message>
    <message>
        <source>Senden</source>
        <translation>transmit</translation>
    </message>
    <message>
        <source>Leerreise grob</source>
        <translation>pre-travel coarse</translation>
    </message>
    <message>
        <source>Leerreise verkürzen</source>
        <translation>decrease pre-travel</translation>
    </message>
    <message>
        <source>Leerreise verlängern</source>
        <translation>increase pre-travel</translation>
    </message>
    <message>
        <source>Leerreise fein</source>
        <translation>pre-travel fine</translation>
    </message>
    <message>
        <source>dyn. Koppel</source>
        <translation>dyn. couplers</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>set</source>
        <translation>set</translation>
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
        <translation>coupler no.:</translation>
    </message>
    <message>
        <source>Schwelle</source>
        <translation>threshold</translation>
    </message>
    <message>
        <source>Orgel.cnf speichern</source>
        <translation>save Orgel.cnf</translation>
    </message>
    <message>
        <source>System</source>
        <translation>system</translation>
    </message>
    <message>
        <source>Alle Werte anzeigen</source>
        <translation>display all values</translation>
    </message>
    <message>
        <source>Befehl lesen</source>
        <translation>command read</translation>
    </message>
    <message>
        <source>Befehl schreiben</source>
        <translation>command write</translation>
    </message>
    <message>
        <source>Software-Version Master</source>
        <translation>software version master</translation>
    </message>
    <message>
        <source>Software-Version Slave</source>
        <translation>software version slave</translation>
    </message>
    <message>
        <source>Hardware-Version Master</source>
        <translation>hardware-version master</translation>
    </message>
    <message>
        <source>Master Datum auslesen</source>
        <translation>get master date</translation>
    </message>
    <message>
        <source>Midi Startnote setzen</source>
        <translation>set midi startnote</translation>
    </message>
    <message>
        <source>Master Datum setzen</source>
        <translation>set master date</translation>
    </message>
    <message>
        <source>Startnote: (C=36)</source>
        <translation>startnote: (C=36)</translation>
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
        <translation>firmware Update</translation>
    </message>
    <message>
        <source>Board Nr.:</source>
        <translation>board no.:</translation>
    </message>
    <message>
        <source>schreibe Flash Konfiguration</source>
        <translation>write flash configuration</translation>
    </message>
    <message>
        <source>lösche alle Flash-Konfigurationen </source>
        <translation>delete all flash configs</translation>
    </message>
    <message>
        <source>lösche Flash Konfiguration</source>
        <translation>delete flash config</translation>
    </message>
    <message>
        <source>Konfiguration speichern</source>
        <translation>save configuration</translation>
    </message>
    <message>
        <source>senden</source>
        <translation>transmit</translation>
    </message>
    <message>
        <source>Lösche Terminal</source>
        <translation>clear terminal</translation>
    </message>
    <message>
        <source>* Drücken Sie &quot;Trennen/Verbinden&quot;, um die Verbindung zu beenden oder herzustellen.

* Wenn Sie den Master am Modul neu starten wollen,
   trennen Sie vorher die Verbindung und verbinden Sie nach dem Neustart neu.

* Wenn Sie die Funktion “Reset Master” verwenden, 
   wird ein Neustart des Master ausgelöst
   und die Verbindung automatisch nach 10s wieder hergestellt.
   Dieser Neustart ist z.B. nötig, nachdem ein neues Manual eingerichtet wurde.</source>
        <translation>* Press &quot;connect/disconnect&quot;, to set up or shut down a connection.

* If you want to restart the master at the module,
   disconnect first and connect again after the restart.

* If you use the function “Reset Master”, 
   the master is restarted
   and the connection is set up again automatically after 10s.
   This restart is needed e.g. after a new manual was set up.</translation>
    </message>
    <message>
        <source>Befehl:</source>
        <translation>command:</translation>
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
        <translation>With these functions, newly installed manual or pedal sensors are set up for the first time.

1) Choose the manual you want to set up.
2) Click on Start.
3) Press every key of the manual once, from left to right.
4) Click on Stop.
5) Press &quot;view values&quot; and check whether all keys were recognised.
    If not, repeat steps 2-5.
6) Press &quot;save configuration&quot; to store the manual data on the SD card of the master module.
7) After setting up the last manual, disconnect and press the reset key on the master module.</translation>
    </message>
    <message>
        <source>Werte ansehen</source>
        <translation>view values</translation>
    </message>
    <message>
        <source>Manual Nr.:</source>
        <translation>manual no.:</translation>
    </message>
    <message>
        <source>Manual 1</source>
        <translation>manual 1</translation>
    </message>
    <message>
        <source>Manual 2</source>
        <translation>manual 2</translation>
    </message>
    <message>
        <source>Manual 3</source>
        <translation>manual 3</translation>
    </message>
    <message>
        <source>Manual 4</source>
        <translation>manual 4</translation>
    </message>
    <message>
        <source>Manual 5</source>
        <translation>manual 5</translation>
    </message>
    <message>
        <source>Manual 6</source>
        <translation>manual 6</translation>
    </message>
    <message>
        <source>Pedal 1</source>
        <translation>pedal 1</translation>
    </message>
    <message>
        <source>Pedal 2</source>
        <translation>pedal 2</translation>
    </message>
    <message>
        <source>Piano</source>
        <translation>Piano</translation>
    </message>
    <message>
        <source>Trennen</source>
        <translation>Disconnect</translation>
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
        <translation>With these functions, newly installed manual or pedal sensors are set up for the first time.

1) Choose the manual you want to set up.
2) Click on Start.
3) Press every key of the manual once, from left to right.
4) Click on Stop.
5) Press &quot;view values&quot; and check whether all keys were recognised.
    If not, repeat steps 2-5.
6) Press &quot;save configuration&quot; to store the manual data on the SD card of the master module.
7) After setting up the last manual, disconnect and press the reset key on the master module.</translation>
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
        <translation>With this function, the minimum and maximum sensor readings of the keys are aquired and the default &quot;on&quot;-point is set.
If you have reset the master after setting up the manuals, connect to the master again.

1) Choose the manual or pedal you want to work on.
2) Click on Start.
3) Press every key of the manual once with normal playing force down to the stop (not hard into the felt).
4) Click on Stop.
5) To check, you can click on &quot;view values&quot; and see whether the values for &quot;KeyUp&quot; and &quot;KeyDown&quot;
    are plausible (more about this in the user manual).
6) Click on &quot;save configuration&quot; and start the calibration of further manuals at 1).</translation>
    </message>
    <message>
        <source>Hier können Sie Grundparameter für jedes Manual oder Pedal getrennt einstellen (Auswahl im Manual-Menü rechts):

Die Entprellung verhindert unerwünschte Töne, wenn die Taste bei der Rückkehr in die Ruhelage zurückfedert.
Typisch sind 30 - 50ms. Wenn Geisternoten auftreten, wenn die Taste  zurückschnappt, vergrößern Sie den Wert
maximal 99ms). Wenn bei schneller Repetition Noten verschluckt werden, verkleinern Sie den Wert.

Die Schaltpunkt-Spreizung legt den Ausschalt- und Repetitionspunkt tiefer als den Einschaltpunkt (siehe Handbuch).
Bei 50% liegt der Aus-Punkt auf halbem Weg zwischen Leerreise-Ende und unterer Tasten-Endlage.

Nach &quot;senden&quot; können Sie die Einstellungen testen. Zum permanenten Ändern drücken Sie &quot;Konfiguration speichern&quot;.</source>
        <translation>Here, you can change the basic settings for each manual or pedal (choose the manual in the pull-down menu on the right):

The debounce time suppresses unwanted notes when a key bounces on its way back to the rest position.
Typical values are 30 - 50ms. If ghost notes appear when a key snaps back, increase the value
(at most 99ms). If notes get lost in fast repetition, decrease the value.

The on/off spread places the off and repetition point deeper than the on point (see the handbook).
At 50% the off point lies halfway between the end of the pre-travel and the lower end position of the key.

After &quot;transmit&quot; you can test the settings. To keep them permanently, press &quot;save configuration&quot;.</translation>
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
        <translation>With this function you can increase or decrease the pre travel of all keys on a manual.

1) Choose the manual whose pre-travel you want to adjust.
2) Click on decrease or increase pre-travel to change the key travel before the note sounds.
   Each click changes the pre-travel by about 0.1mm.
   This function works with computed values, so the result may differ from key to key.
   To adjust or correct single keys, use the function &quot;pre-travel fine&quot;.
3) To check how the trigger values change (&quot;Trigger&quot;), click on &quot;view values&quot;.
4) When you are satisfied with the settings, save them with &quot;save configuration&quot;.
    Without saving, the previous values apply again after the next start of the master module!</translation>
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
        <translation>Interactive adjustment of pre-travel directly on the keyboards.

1) Click on Start.
2) Press the key you want to adjust. Only this key plays notes now.
3) Press any sharp (upper key, e.g. on another manual) to shorten the pre-travel, or any natural (lower key)
    to lengthen it (pressing several sharps or naturals at once makes the steps larger).
4) Repeat this until you are satisfied with the setting of this key.
5) Press a sharp and a natural at the same time to finish the adjustment of this key.
6) Choose a new key to adjust at 2) and do the same there.
7) Click on Stop to return to playing mode and check the setting by ear.
    You can switch between playing mode and adjustment as often as you like.
8) When you have finished adjusting a manual, click &quot;save configuration&quot; for that manual.</translation>
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
        <translation>If your system is set up for dynamic couplers, which become active depending of the velocity with which the key is
struck, you can set the velocity threshold (MIDI velocity) here.
A coupler with threshold 0 is always active when it is switched on.
The highest velocity is 127. A threshold of about 40 is easy to control.

1) Switch the coupler on at the console.
2) Enter the threshold of the coupler in the field &quot;threshold&quot;.
3) Click on &quot;set&quot; to transmit the value.
4) Test the setting on the manual and change the value until the coupler is easy for you to control.
5) Click on &quot;save Orgel.cnf&quot; to keep the settings.</translation>
    </message>
    <message>
        <source>Die Funktionen sollten nur von Service-Technikern benutzt werden!
Sie können damit die Sensoren in einen Zustand bringen, der einen Ausbau erforderlich macht.</source>
        <translation>This function should only be used by service technicians!
Used wrongly, it can bring the sensors into a state in which they have to be removed.</translation>
    </message>
    <message>
        <source>complete setup</source>
        <translation>complete setup</translation>
    </message>
    <message>
        <source>setup new manual</source>
        <translation>setup new manual</translation>
    </message>
    <message>
        <source>Trennen</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>Verbinden</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Befehlszeilen warten noch auf das Senden: %1.
Erst senden und dann beenden?</source>
        <translation>Command lines still waiting to be sent: %1.
Send them first and then quit?</translation>
    </message>
    <message>
        <source>Anmeldung abgelehnt</source>
        <translation>Login refused</translation>
    </message>
    <message>
        <source>Das Programm endet nach dem Senden</source>
        <translation>The program ends after sending</translation>
    </message>
    <message>
        <source>Keine Verbindung: %1 Befehlszeilen wurden nicht gesendet.</source>
        <translation>No connection: %1 command lines were not sent.</translation>
    </message>
</context>
<context>
    <name>TerminalSaver</name>
    <message>
        <source>Terminal speichern…</source>
        <translation>Save terminal…</translation>
    </message>
    <message>
        <source>Terminal speichern</source>
        <translation>Save terminal</translation>
    </message>
    <message>
        <source>Textdateien (*.txt);;Alle Dateien (*)</source>
        <translation>Text files (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>Die Datei %1 konnte nicht geschrieben werden: %2</source>
        <translation>The file %1 could not be written: %2</translation>
    </message>
    <message>
        <source>Zeitstempel anzeigen</source>
        <translation>Show timestamps</translation>
    </message>
</context>
<context>
    <name>PaneFinder</name>
    <message>
        <source>Nicht gefunden</source>
        <translation>Not found</translation>
    </message>
    <message>
        <source>Vom Anfang weiter</source>
        <translation>Continued from the top</translation>
    </message>
    <message>
        <source>Vom Ende weiter</source>
        <translation>Continued from the bottom</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>DialogLogin</name>
    <message>
        <source>Login Dialog</source>
        <translation>Accesso</translation>
    </message>
    <message>
        <source>connect</source>
        <translation>Connetti</translation>
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
        <translation>Altro IP</translation>
    </message>
    <message>
        <source>IP Adress</source>
        <translation>Indirizzo IP</translation>
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
        <translation>Nome utente</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
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
        <translation>1) Selezionare l'indirizzo IP del modulo Master Tastarello.
    Di norma il computer deve essere in modalità automatica (&quot;DHCP&quot;)
    e non collegato a nessun'altra rete.
    In tal caso funziona l'impostazione di base &quot;Windows auto&quot;.
    Con una configurazione particolare, scegliere &quot;Altro IP&quot;
    e inserire nel campo IP l'indirizzo IP del modulo Master.
2) Premere &quot;Connetti&quot; per collegarsi al Master.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Quit</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Einrichten</source>
        <translation>Configurare</translation>
    </message>
    <message>
        <source>setup new manual</source>
        <translation>Configura nuovo manuale</translation>
    </message>
    <message>
        <source>delete manual </source>
        <translation>Cancella manuale</translation>
    </message>
    <message>
        <source>Kalibrieren</source>
        <translation>Calibrare</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>Entprellzeit in ms:</source>
        <translation>Antirimbalzo in ms:</translation>
    </message>
    <message>
        <source>Schaltpunkt-Spreizung in %:</source>
        <translation>Isteresi on/off in %:</translation>
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
        <translation>Isteresi -</translation>
    </message>
    <message>
        <source>Spreizung +</source>
        <translation>Isteresi +</translation>
    </message>
    <message>
        <source>Senden</source>
        <translation>Invia</translation>
    </message>
    <message>
        <source>Leerreise grob</source>
        <translation>Corsa a vuoto grossa</translation>
    </message>
    <message>
        <source>Leerreise verkürzen</source>
        <translation>Corsa a vuoto -</translation>
    </message>
    <message>
        <source>Leerreise verlängern</source>
        <translation>Corsa a vuoto +</translation>
    </message>
    <message>
        <source>Leerreise fein</source>
        <translation>Corsa a vuoto fine</translation>
    </message>
    <message>
        <source>dyn. Koppel</source>
        <translation>Unioni din.</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>set</source>
        <translation>Imposta</translation>
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
        <translation>Unione n.:</translation>
    </message>
    <message>
        <source>Schwelle</source>
        <translation>Soglia</translation>
    </message>
    <message>
        <source>Orgel.cnf speichern</source>
        <translation>Salva Orgel.cnf</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Sistema</translation>
    </message>
    <message>
        <source>Alle Werte anzeigen</source>
        <translation>Mostra tutti i valori</translation>
    </message>
    <message>
        <source>Befehl lesen</source>
        <translation>Comandi di lettura</translation>
    </message>
    <message>
        <source>Befehl schreiben</source>
        <translation>Comandi di scrittura</translation>
    </message>
    <message>
        <source>Software-Version Master</source>
        <translation>Vers. software Master</translation>
    </message>
    <message>
        <source>Software-Version Slave</source>
        <translation>Vers. software Slave</translation>
    </message>
    <message>
        <source>Hardware-Version Master</source>
        <translation>Vers. hardware Master</translation>
    </message>
    <message>
        <source>Master Datum auslesen</source>
        <translation>Leggi data Master</translation>
    </message>
    <message>
        <source>Midi Startnote setzen</source>
        <translation>Imposta nota iniziale MIDI</translation>
    </message>
    <message>
        <source>Master Datum setzen</source>
        <translation>Imposta data Master</translation>
    </message>
    <message>
        <source>Startnote: (C=36)</source>
        <translation>Nota iniz.: (C=36)</translation>
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
        <translation>Aggiorna firmware</translation>
    </message>
    <message>
        <source>Board Nr.:</source>
        <translation>Scheda n.:</translation>
    </message>
    <message>
        <source>schreibe Flash Konfiguration</source>
        <translation>Scrivi configurazione flash</translation>
    </message>
    <message>
        <source>lösche alle Flash-Konfigurationen </source>
        <translation>Cancella tutte le config. flash</translation>
    </message>
    <message>
        <source>lösche Flash Konfiguration</source>
        <translation>Cancella configurazione flash</translation>
    </message>
    <message>
        <source>Konfiguration speichern</source>
        <translation>Salva configurazione</translation>
    </message>
    <message>
        <source>senden</source>
        <translation>Invia</translation>
    </message>
    <message>
        <source>Lösche Terminal</source>
        <translation>Svuota terminale</translation>
    </message>
    <message>
        <source>* Drücken Sie &quot;Trennen/Verbinden&quot;, um die Verbindung zu beenden oder herzustellen.

* Wenn Sie den Master am Modul neu starten wollen,
   trennen Sie vorher die Verbindung und verbinden Sie nach dem Neustart neu.

* Wenn Sie die Funktion “Reset Master” verwenden, 
   wird ein Neustart des Master ausgelöst
   und die Verbindung automatisch nach 10s wieder hergestellt.
   Dieser Neustart ist z.B. nötig, nachdem ein neues Manual eingerichtet wurde.</source>
        <translation>* Premere &quot;Disconnetti/Connetti&quot; per chiudere o stabilire la connessione.

* Per riavviare il Master dal modulo,
   disconnettersi prima e riconnettersi dopo il riavvio.

* Con la funzione “Reset Master”, 
   il Master viene riavviato
   e la connessione viene ristabilita automaticamente dopo 10s.
   Questo riavvio serve p.es. dopo aver configurato un nuovo manuale.</translation>
    </message>
    <message>
        <source>Befehl:</source>
        <translation>Comando:</translation>
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
        <translation>Con questa funzione si assegnano per la prima volta i sensori dei manuali o della pedaliera appena montati.

1) Selezionare il manuale da configurare.
2) Fare clic su Start.
3) Premere una volta ogni tasto del manuale, da sinistra a destra.
4) Fare clic su Stop.
5) Premere &quot;Mostra valori&quot; e controllare che tutti i tasti siano stati riconosciuti.
    In caso contrario, ripetere i passi 2-5.
6) Premere &quot;Salva configurazione&quot; per salvare i dati del manuale sulla scheda SD del modulo Master.
7) Dopo aver configurato l'ultimo manuale, disconnettersi e premere il pulsante di reset sul modulo Master.</translation>
    </message>
    <message>
        <source>Werte ansehen</source>
        <translation>Mostra valori</translation>
    </message>
    <message>
        <source>Manual Nr.:</source>
        <translation>Manuale n.:</translation>
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
        <translation>Disconnetti</translation>
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
        <translation>Con questa funzione si assegnano per la prima volta i sensori dei manuali o della pedaliera appena montati.

1) Selezionare il manuale da configurare.
2) Fare clic su Start.
3) Premere una volta ogni tasto del manuale, da sinistra a destra.
4) Fare clic su Stop.
5) Premere &quot;Mostra valori&quot; e controllare che tutti i tasti siano stati riconosciuti.
    In caso contrario, ripetere i passi 2-5.
6) Premere &quot;Salva configurazione&quot; per salvare i dati del manuale sulla scheda SD del modulo Master.
7) Dopo aver configurato l'ultimo manuale, disconnettersi e premere il pulsante di reset sul modulo Master.</translation>
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
        <translation>Con questa funzione si rilevano i valori minimi e massimi dei tasti e si imposta la corsa a vuoto standard.
Se dopo la configurazione dei manuali è stato eseguito un reset del Master, ristabilire la connessione con il Master.

1) Selezionare il manuale o la pedaliera da calibrare.
2) Fare clic su Start.
3) Premere una volta ogni tasto del manuale con la normale forza di esecuzione fino all'arresto (senza schiacciare il feltro).
4) Fare clic su Stop.
5) Per controllo si può fare clic su &quot;Mostra valori&quot; e verificare che i valori di &quot;KeyUp&quot; e &quot;KeyDown&quot;
    siano plausibili (maggiori informazioni nelle istruzioni per l'uso).
6) Fare clic su &quot;Salva configurazione&quot; e iniziare la calibrazione degli altri manuali dal punto 1).</translation>
    </message>
    <message>
        <source>Hier können Sie Grundparameter für jedes Manual oder Pedal getrennt einstellen (Auswahl im Manual-Menü rechts):

Die Entprellung verhindert unerwünschte Töne, wenn die Taste bei der Rückkehr in die Ruhelage zurückfedert.
Typisch sind 30 - 50ms. Wenn Geisternoten auftreten, wenn die Taste  zurückschnappt, vergrößern Sie den Wert
maximal 99ms). Wenn bei schneller Repetition Noten verschluckt werden, verkleinern Sie den Wert.

Die Schaltpunkt-Spreizung legt den Ausschalt- und Repetitionspunkt tiefer als den Einschaltpunkt (siehe Handbuch).
Bei 50% liegt der Aus-Punkt auf halbem Weg zwischen Leerreise-Ende und unterer Tasten-Endlage.

Nach &quot;senden&quot; können Sie die Einstellungen testen. Zum permanenten Ändern drücken Sie &quot;Konfiguration speichern&quot;.</source>
        <translation>Qui si impostano i parametri di base separatamente per ogni manuale o pedaliera (scelta nel menu dei manuali a destra):

L'antirimbalzo evita note indesiderate quando il tasto rimbalza tornando in posizione di riposo.
Valori tipici: 30 - 50ms. Se compaiono note fantasma quando il tasto torna indietro di scatto, aumentare il valore
(massimo 99ms). Se nella ripetizione veloce si perdono note, diminuire il valore.

L'isteresi on/off porta il punto di rilascio e di ripetizione più in basso del punto di attacco (vedi istruzioni).
Con 50% il punto di rilascio è a metà tra la fine della corsa a vuoto e la posizione finale inferiore del tasto.

Dopo &quot;Invia&quot; si possono provare le impostazioni. Per renderle permanenti premere &quot;Salva configurazione&quot;.</translation>
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
        <translation>Con questa funzione si può aumentare o ridurre la corsa a vuoto di un intero manuale.

1) Selezionare il manuale di cui si vuole regolare la corsa a vuoto.
2) Fare clic su &quot;Corsa a vuoto -&quot; o &quot;Corsa a vuoto +&quot; per accorciare o allungare la corsa del tasto fino all'attacco della nota.
   Ogni clic modifica la corsa a vuoto di circa 0,1mm.
   La funzione lavora con valori calcolati, quindi il risultato può variare da tasto a tasto.
   Per regolare o correggere singoli tasti usare la funzione &quot;Corsa a vuoto fine&quot;.
3) Per controllare come cambiano i valori di intervento (&quot;Trigger&quot;), fare clic su &quot;Mostra valori&quot;.
4) Se le impostazioni sono soddisfacenti, salvarle con &quot;Salva configurazione&quot;.
    Senza salvataggio, al successivo avvio del modulo Master tornano a valere i valori precedenti!</translation>
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
        <translation>Regolazione interattiva della corsa a vuoto direttamente dalla tastiera.

1) Fare clic su Start.
2) Premere il tasto da regolare. Ora suona solo questo tasto.
3) Premere un tasto cromatico qualsiasi (p.es. su un altro manuale) per ridurre la corsa a vuoto, oppure un tasto diatonico
    per allungarla (premendo insieme più tasti cromatici/diatonici il passo aumenta).
4) Ripetere finché la regolazione di questo tasto non è soddisfacente.
5) Premere insieme un tasto cromatico e uno diatonico per concludere la regolazione.
6) Scegliere un nuovo tasto da regolare al punto 2) e ripetere la stessa procedura.
7) Fare clic su Stop per tornare alla modalità di esecuzione e controllare la regolazione a orecchio.
    Si può passare tra esecuzione e regolazione tutte le volte che si vuole.
8) Terminata la regolazione di un manuale, fare clic su &quot;Salva configurazione&quot; per quel manuale.</translation>
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
        <translation>Se il sistema è predisposto per unioni dinamiche, che si attivano in base alla velocità con cui si preme il tasto,
qui si può impostare la soglia di velocità (MIDI Velocity).
Un'unione con soglia 0 è sempre attiva quando è inserita.
La velocità massima è 127. Una soglia di circa 40 è facile da controllare.

1) Inserire l'unione alla consolle.
2) Impostare la soglia dell'unione nel campo &quot;Soglia&quot;.
3) Fare clic su &quot;Imposta&quot; per trasmettere il valore.
4) Provare l'impostazione sul manuale e modificare il valore finché l'unione non risulta facile da controllare.
5) Fare clic su &quot;Salva Orgel.cnf&quot; per salvare le impostazioni.</translation>
    </message>
    <message>
        <source>Die Funktionen sollten nur von Service-Technikern benutzt werden!
Sie können damit die Sensoren in einen Zustand bringen, der einen Ausbau erforderlich macht.</source>
        <translation>Queste funzioni devono essere usate solo da tecnici dell'assistenza!
Usate in modo errato, possono portare i sensori in uno stato che ne richiede lo smontaggio.</translation>
    </message>
    <message>
        <source>complete setup</source>
        <translation>Termina configurazione</translation>
    </message>
    <message>
        <source>setup new manual</source>
        <translation>Configura nuovo manuale</translation>
    </message>
    <message>
        <source>Trennen</source>
        <translation>Disconnetti</translation>
    </message>
    <message>
        <source>Verbinden</source>
        <translation>Connetti</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Befehlszeilen warten noch auf das Senden: %1.
Erst senden und dann beenden?</source>
        <translation>Righe di comando ancora in attesa di invio: %1.
Inviarle prima di uscire?</translation>
    </message>
    <message>
        <source>Anmeldung abgelehnt</source>
        <translation>Accesso rifiutato</translation>
    </message>
    <message>
        <source>Das Programm endet nach dem Senden</source>
        <translation>Il programma termina dopo l&apos;invio</translation>
    </message>
    <message>
        <source>Keine Verbindung: %1 Befehlszeilen wurden nicht gesendet.</source>
        <translation>Nessuna connessione: %1 righe di comando non sono state inviate.</translation>
    </message>
</context>
<context>
    <name>TerminalSaver</name>
    <message>
        <source>Terminal speichern…</source>
        <translation>Salva terminale…</translation>
    </message>
    <message>
        <source>Terminal speichern</source>
        <translation>Salva terminale</translation>
    </message>
    <message>
        <source>Textdateien (*.txt);;Alle Dateien (*)</source>
        <translation>File di testo (*.txt);;Tutti i file (*)</translation>
    </message>
    <message>
        <source>Die Datei %1 konnte nicht geschrieben werden: %2</source>
        <translation>Impossibile scrivere il file %1: %2</translation>
    </message>
    <message>
        <source>Zeitstempel anzeigen</source>
        <translation>Mostra orari</translation>
    </message>
</context>
<context>
    <name>PaneFinder</name>
    <message>
        <source>Nicht gefunden</source>
        <translation>Non trovato</translation>
    </message>
    <message>
        <source>Vom Anfang weiter</source>
        <translation>Ripreso dall&apos;inizio</translation>
    </message>
    <message>
        <source>Vom Ende weiter</source>
        <translation>Ripreso dalla fine</translation>
    </message>
</context>
</TS>

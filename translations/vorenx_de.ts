<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QObject</name>
    <message>
        <source>%1 (%2, %3)</source>
        <translatorcomment>same</translatorcomment>
        <translation>%1 (%2, %3)</translation>
    </message>
    <message>
        <source>measure</source>
        <translation>Messen</translation>
    </message>
    <message>
        <source>source</source>
        <translation>Geben</translation>
    </message>
    <message>
        <source>range from</source>
        <translation>Bereich von</translation>
    </message>
    <message>
        <source>range to</source>
        <translation>Bereich bis</translation>
    </message>
    <message>
        <source>% of reading</source>
        <translation>% vom Messwert</translation>
    </message>
    <message>
        <source>floor</source>
        <translation>Sockel</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>Kalibrierung</translation>
    </message>
    <message>
        <source>%1 % at %2 %</source>
        <translation>%1 % bei %2 %</translation>
    </message>
    <message>
        <source>Instruments</source>
        <translation>Geräte</translation>
    </message>
    <message>
        <source>Reference Standards</source>
        <translation>Bezugsnormale</translation>
    </message>
    <message>
        <source>%1
This file does not exist.
Do you want to create it?</source>
        <translation>%1
Diese Datei existiert nicht.
Soll sie angelegt werden?</translation>
    </message>
    <message>
        <source>Preparing pages...</source>
        <translation>Seiten werden vorbereitet...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>vorenx::AccuracyTableEdit</name>
    <message>
        <source>Function</source>
        <translation>Funktion</translation>
    </message>
    <message>
        <source>Range from</source>
        <translation>Bereich von</translation>
    </message>
    <message>
        <source>Range to</source>
        <translation>Bereich bis</translation>
    </message>
    <message>
        <source>% of reading</source>
        <translation>% vom Messwert</translation>
    </message>
    <message>
        <source>Floor</source>
        <translation>Sockel</translation>
    </message>
    <message>
        <source>Add row</source>
        <translation>Zeile hinzufügen</translation>
    </message>
    <message>
        <source>Remove row</source>
        <translation>Zeile entfernen</translation>
    </message>
    <message>
        <source>Use the default table</source>
        <translation>Standardtabelle verwenden</translation>
    </message>
    <message>
        <source>Accuracy, row %1: the %2 is not a number; write it with &quot;.&quot;, for example 0.002.</source>
        <translation>Genauigkeit, Zeile %1: „%2“ ist keine Zahl; mit „.“ schreiben, zum Beispiel 0.002.</translation>
    </message>
    <message>
        <source>No values of its own: calibrations with this standard use the documented default table. Add rows to enter the values of the standard&apos;s certificate.</source>
        <translation>Keine eigenen Werte: Kalibrierungen mit diesem Normal verwenden die dokumentierte Standardtabelle. Zeilen hinzufügen, um die Werte aus dem Kalibrierschein des Normals einzutragen.</translation>
    </message>
    <message>
        <source>%1 from the standard&apos;s certificate; the first row that covers a reading is used, and a function without a row gets no calibrator accuracy in a run.</source>
        <translation>%1 aus dem Kalibrierschein des Normals; die erste Zeile, die einen Messwert abdeckt, wird verwendet, und eine Funktion ohne Zeile erhält in einem Durchlauf keine Kalibratorgenauigkeit.</translation>
    </message>
    <message>
        <source>One row</source>
        <translation>Eine Zeile</translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation>%1 Zeilen</translation>
    </message>
</context>
<context>
    <name>vorenx::CAlarmDlg</name>
    <message>
        <source>Alarms</source>
        <translation>Alarme</translation>
    </message>
    <message>
        <source>Upper</source>
        <translation>Oben</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>Unten</translation>
    </message>
    <message>
        <source>Beep when an alarm is raised</source>
        <translation>Signalton bei Alarm</translation>
    </message>
    <message>
        <source>Run program:</source>
        <translation>Programm starten:</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keines</translation>
    </message>
    <message>
        <source>Started when an alarm is raised, with the display (upper or lower), the reading and the limit as its three arguments; never through a shell.</source>
        <translation>Wird bei einem Alarm gestartet, mit der Anzeige (oben oder unten), dem Messwert und dem Grenzwert als drei Argumenten; nie über eine Shell.</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>High limit:</source>
        <translation>Obergrenze:</translation>
    </message>
    <message>
        <source>Low limit:</source>
        <translation>Untergrenze:</translation>
    </message>
    <message>
        <source>Hysteresis:</source>
        <translation>Hysterese:</translation>
    </message>
    <message>
        <source>Alarm Program</source>
        <translation>Alarmprogramm</translation>
    </message>
</context>
<context>
    <name>vorenx::CCalibrationDlg</name>
    <message>
        <source>Calibration</source>
        <translation>Kalibrierung</translation>
    </message>
    <message>
        <source>Start As-found</source>
        <translation>Eingangsbefund starten</translation>
    </message>
    <message>
        <source>Start As-left</source>
        <translation>Ausgangsbefund starten</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Save CSV...</source>
        <translation>CSV speichern...</translation>
    </message>
    <message>
        <source>Save for Spreadsheet...</source>
        <translation>Für Tabellenkalkulation speichern...</translation>
    </message>
    <message>
        <source>Save Certificate...</source>
        <translation>Kalibrierschein speichern...</translation>
    </message>
    <message>
        <source>Save Digital Certificate...</source>
        <translation>Digitalen Kalibrierschein speichern...</translation>
    </message>
    <message>
        <source>Save the digital calibration certificate (XML)</source>
        <translation>Den digitalen Kalibrierschein (XML) speichern</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Set up the calibration, then start the as-found run.</source>
        <translation>Kalibrierung einrichten, dann den Durchlauf für den Eingangsbefund starten.</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>unbekannter Fehler</translation>
    </message>
    <message>
        <source>Saved as %1 (draft).</source>
        <translation>Gespeichert als %1 (Entwurf).</translation>
    </message>
    <message>
        <source>Calibration %1.</source>
        <translation>Kalibrierung %1.</translation>
    </message>
    <message numerus="yes">
        <source>%n run(s) waiting to be sent to the lab database.</source>
        <translation>
            <numerusform>%n Durchlauf wartet auf die Übertragung in die Labordatenbank.</numerusform>
            <numerusform>%n Durchläufe warten auf die Übertragung in die Labordatenbank.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n run(s) sent to the lab database.</source>
        <translation>
            <numerusform>%n Durchlauf an die Labordatenbank gesendet.</numerusform>
            <numerusform>%n Durchläufe an die Labordatenbank gesendet.</numerusform>
        </translation>
    </message>
    <message>
        <source>A calibration run is in progress: %1 can be calibrated once it has ended.</source>
        <translation>Ein Kalibrierdurchlauf läuft: %1 kann kalibriert werden, sobald er beendet ist.</translation>
    </message>
    <message>
        <source>The setup needs correcting where shown in red.</source>
        <translation>Die Einrichtung muss an den rot markierten Stellen korrigiert werden.</translation>
    </message>
    <message>
        <source>Enter the ambient conditions where shown in red.</source>
        <translation>Die Umgebungsbedingungen an den rot markierten Stellen eintragen.</translation>
    </message>
    <message>
        <source>The run could not be started.</source>
        <translation>Der Durchlauf konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The setup could not be kept for next time: %1</source>
        <translation>Die Einrichtung konnte nicht für das nächste Mal gespeichert werden: %1</translation>
    </message>
    <message>
        <source>Switch the calibrator&apos;s output on and source %1 into %2 for the %3 run?%4

No ends the run.</source>
        <translation>Den Ausgang des Kalibrators einschalten und %1 an %2 für den Durchlauf „%3“ ausgeben?%4

Nein beendet den Durchlauf.</translation>
    </message>
    <message>
        <source>the instrument under test</source>
        <translation>den Prüfling</translation>
    </message>
    <message>
        <source> The run goes on from the point where it paused.</source>
        <translation> Der Durchlauf wird an dem Punkt fortgesetzt, an dem er angehalten wurde.</translation>
    </message>
    <message>
        <source>The calibration could not be saved: %1</source>
        <translation>Die Kalibrierung konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>A calibration run is in progress. Abort it (the output goes off) and close?</source>
        <translation>Ein Kalibrierdurchlauf läuft. Abbrechen (der Ausgang wird abgeschaltet) und schließen?</translation>
    </message>
    <message>
        <source>Save CSV</source>
        <translation>CSV speichern</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>The results could not be written to %1: %2</source>
        <translation>Die Ergebnisse konnten nicht in %1 geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Results saved to %1.</source>
        <translation>Ergebnisse in %1 gespeichert.</translation>
    </message>
    <message>
        <source>Save for Spreadsheet</source>
        <translation>Für Tabellenkalkulation speichern</translation>
    </message>
    <message>
        <source>The certificate is issued when the calibration has reached the lab database: it is %1.</source>
        <translation>Der Kalibrierschein wird ausgestellt, sobald die Kalibrierung in der Labordatenbank ist; sie ist %1.</translation>
    </message>
    <message>
        <source>The certificate cannot be issued: %1</source>
        <translation>Der Kalibrierschein kann nicht ausgestellt werden: %1</translation>
    </message>
    <message>
        <source>Save Certificate</source>
        <translation>Kalibrierschein speichern</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Certificate saved to %1.</source>
        <translation>Kalibrierschein in %1 gespeichert.</translation>
    </message>
    <message>
        <source>The digital certificate is issued once the calibration is in the lab database.</source>
        <translation>Der digitale Kalibrierschein wird ausgestellt, sobald die Kalibrierung in der Labordatenbank ist.</translation>
    </message>
    <message>
        <source>Save Digital Certificate</source>
        <translation>Digitalen Kalibrierschein speichern</translation>
    </message>
    <message>
        <source>Digital calibration certificates (*.xml)</source>
        <translation>Digitale Kalibrierscheine (*.xml)</translation>
    </message>
    <message>
        <source>Digital certificate saved to %1.</source>
        <translation>Digitaler Kalibrierschein in %1 gespeichert.</translation>
    </message>
    <message>
        <source>Enter a number, for example 21.5.</source>
        <translation>Eine Zahl eingeben, zum Beispiel 21.5.</translation>
    </message>
    <message>
        <source>Enter a number, for example 4 or 0.5.</source>
        <translation>Eine Zahl eingeben, zum Beispiel 4 oder 0.5.</translation>
    </message>
    <message>
        <source>The band must be more than 0 and at most 100 % of the tolerance.</source>
        <translation>Das Band muss größer als 0 und höchstens 100 % der Toleranz sein.</translation>
    </message>
    <message>
        <source>Enter the resolution of the instrument under test: its last digit in output units, more than 0.</source>
        <translation>Die Auflösung des Prüflings eingeben: seine letzte Stelle in Ausgangseinheiten, größer als 0.</translation>
    </message>
    <message>
        <source>to</source>
        <translation>bis</translation>
    </message>
    <message>
        <source>Ambient conditions (now, before the run)</source>
        <translation>Umgebungsbedingungen (jetzt, vor dem Durchlauf)</translation>
    </message>
    <message>
        <source>Temperature:</source>
        <translation>Temperatur:</translation>
    </message>
    <message>
        <source>Relative humidity:</source>
        <translation>Relative Feuchte:</translation>
    </message>
    <message>
        <source>Instrument under test</source>
        <translation>Prüfling</translation>
    </message>
    <message>
        <source>Tag:</source>
        <translation>Messstellen-Nr.:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Beschreibung:</translation>
    </message>
    <message>
        <source>Technician:</source>
        <translation>Prüfer:</translation>
    </message>
    <message>
        <source>Add standard...</source>
        <translation>Normal hinzufügen...</translation>
    </message>
    <message>
        <source>Reference standard:</source>
        <translation>Bezugsnormal:</translation>
    </message>
    <message>
        <source>Input (sourced on the lower display)</source>
        <translation>Eingang (an der unteren Anzeige ausgegeben)</translation>
    </message>
    <message>
        <source>Function:</source>
        <translation>Funktion:</translation>
    </message>
    <message>
        <source>Span:</source>
        <translation>Spanne:</translation>
    </message>
    <message>
        <source>Output (measured on the upper display)</source>
        <translation>Ausgang (an der oberen Anzeige gemessen)</translation>
    </message>
    <message>
        <source>Linear</source>
        <translatorcomment>same</translatorcomment>
        <translation>Linear</translation>
    </message>
    <message>
        <source>Square root</source>
        <translation>Radizierend</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Prüfung</translation>
    </message>
    <message>
        <source>Points in % of the input span, separated by &quot;, &quot; or &quot;;&quot;; decimals with &quot;.&quot;</source>
        <translation>Punkte in % der Eingangsspanne, getrennt durch „, “ oder „;“; Dezimalstellen mit „.“</translation>
    </message>
    <message>
        <source>Test points (%):</source>
        <translation>Prüfpunkte (%):</translation>
    </message>
    <message>
        <source>Run down again (hysteresis)</source>
        <translation>Wieder abwärts fahren (Hysterese)</translation>
    </message>
    <message>
        <source>% of span</source>
        <translation>% der Spanne</translation>
    </message>
    <message>
        <source>output units</source>
        <translation>Ausgangseinheiten</translation>
    </message>
    <message>
        <source>Tolerance: ±</source>
        <translation>Toleranz: ±</translation>
    </message>
    <message>
        <source>The last digit of the instrument under test&apos;s output; half of it enters each point&apos;s uncertainty</source>
        <translation>Die letzte Stelle des Ausgangs des Prüflings; die Hälfte davon geht in die Unsicherheit jedes Punktes ein</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>Auflösung:</translation>
    </message>
    <message>
        <source>Simple acceptance</source>
        <translation>Einfache Akzeptanz</translation>
    </message>
    <message>
        <source>Guard band (w = U)</source>
        <translation>Schutzband (w = U)</translation>
    </message>
    <message>
        <source>Simple acceptance: a point passes within the tolerance. Guard band: it passes within the tolerance less its uncertainty U, fails beyond the tolerance plus U, and is indeterminate between. The certificate states the rule.</source>
        <translation>Einfache Akzeptanz: Ein Punkt besteht innerhalb der Toleranz. Schutzband: Er besteht innerhalb der Toleranz abzüglich seiner Unsicherheit U, fällt jenseits der Toleranz zuzüglich U durch und ist dazwischen unentschieden. Der Kalibrierschein nennt die Regel.</translation>
    </message>
    <message>
        <source>Decision rule:</source>
        <translation>Entscheidungsregel:</translation>
    </message>
    <message>
        <source>Settled when:</source>
        <translation>Eingeschwungen, wenn:</translation>
    </message>
    <message>
        <source>readings within</source>
        <translation>Messwerte innerhalb</translation>
    </message>
    <message>
        <source>% of the tolerance</source>
        <translation>% der Toleranz</translation>
    </message>
    <message>
        <source>Waiting:</source>
        <translation>Wartezeit:</translation>
    </message>
    <message>
        <source>s at most; a point not settled by then fails</source>
        <translation>s höchstens; ein bis dahin nicht eingeschwungener Punkt fällt durch</translation>
    </message>
    <message>
        <source>%1 could not be added to the register: %2</source>
        <translation>%1 konnte nicht in das Verzeichnis aufgenommen werden: %2</translation>
    </message>
    <message>
        <source>%1 (remembered: the lab database cannot be reached)</source>
        <translation>%1 (gemerkt: die Labordatenbank ist nicht erreichbar)</translation>
    </message>
    <message>
        <source>%1 — %2, certificate %3, due %4</source>
        <translation>%1 — %2, Kalibrierschein %3, fällig %4</translation>
    </message>
    <message>
        <source>(overdue)</source>
        <translation>(überfällig)</translation>
    </message>
    <message>
        <source>No reference standard in the register: add one</source>
        <translation>Kein Bezugsnormal im Verzeichnis: eines hinzufügen</translation>
    </message>
    <message>
        <source>The lab database cannot be reached: %1</source>
        <translation>Die Labordatenbank ist nicht erreichbar: %1</translation>
    </message>
    <message>
        <source>The standard could not be added: %1</source>
        <translation>Das Normal konnte nicht hinzugefügt werden: %1</translation>
    </message>
    <message>
        <source>Choose the reference standard (or add one with Add standard...) before the run.</source>
        <translation>Vor dem Durchlauf das Bezugsnormal wählen (oder mit „Normal hinzufügen...“ eines anlegen).</translation>
    </message>
    <message>
        <source>The reference standard %1 was due on %2 and is overdue. Why is it used for %3? The reason is kept in the audit trail; without one the run does not start.</source>
        <translation>Das Bezugsnormal %1 war am %2 fällig und ist überfällig. Warum wird es für %3 verwendet? Die Begründung wird im Prüfpfad festgehalten; ohne Begründung startet der Durchlauf nicht.</translation>
    </message>
    <message>
        <source>The run was not started: an overdue reference standard is used only with a reason.</source>
        <translation>Der Durchlauf wurde nicht gestartet: Ein überfälliges Bezugsnormal wird nur mit Begründung verwendet.</translation>
    </message>
    <message>
        <source>The use of the overdue standard could not be recorded: %1</source>
        <translation>Die Verwendung des überfälligen Normals konnte nicht festgehalten werden: %1</translation>
    </message>
</context>
<context>
    <name>vorenx::CGridCtrl</name>
    <message>
        <source>Out of memory.</source>
        <translation>Nicht genügend Speicher.</translation>
    </message>
    <message>
        <source>Cannot open the file &quot;%1&quot;: %2</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Unable to save grid list</source>
        <translation>Die Tabelle kann nicht gespeichert werden</translation>
    </message>
    <message>
        <source>%1 was left as it was; the lines written before the failure are in %2.</source>
        <translation>%1 blieb unverändert; die vor dem Fehler geschriebenen Zeilen stehen in %2.</translation>
    </message>
    <message>
        <source>%1 was left as it was; the readings are in %2: %3</source>
        <translation>%1 blieb unverändert; die Messwerte stehen in %2: %3</translation>
    </message>
</context>
<context>
    <name>vorenx::CInstrumentEditDlg</name>
    <message>
        <source>Edit Instrument</source>
        <translation>Gerät bearbeiten</translation>
    </message>
    <message>
        <source> days</source>
        <translation> Tage</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Beschreibung:</translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation>Hersteller:</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Modell:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Seriennummer:</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Standort:</translation>
    </message>
    <message>
        <source>Owner:</source>
        <translation>Eigentümer:</translation>
    </message>
    <message>
        <source>Interval:</source>
        <translation>Intervall:</translation>
    </message>
    <message>
        <source>State:</source>
        <translation>Zustand:</translation>
    </message>
    <message>
        <source>Edit Instrument %1</source>
        <translation>Gerät %1 bearbeiten</translation>
    </message>
</context>
<context>
    <name>vorenx::CInstrumentsDlg</name>
    <message>
        <source>Instruments</source>
        <translation>Geräte</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation>Überfällig</translation>
    </message>
    <message>
        <source>Due within 30 days</source>
        <translation>In 30 Tagen fällig</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Show:</source>
        <translation>Anzeigen:</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Messstellen-Nr.</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Standort</translation>
    </message>
    <message>
        <source>Last calibration</source>
        <translation>Letzte Kalibrierung</translation>
    </message>
    <message>
        <source>As-found</source>
        <translation>Eingangsbefund</translation>
    </message>
    <message>
        <source>As-left</source>
        <translation>Ausgangsbefund</translation>
    </message>
    <message>
        <source>Due</source>
        <translation>Fällig</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Calibrate</source>
        <translation>Kalibrieren</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Bearbeiten...</translation>
    </message>
    <message>
        <source>Standards...</source>
        <translation>Normale...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>History: open an instrument (double click or History).</source>
        <translation>Verlauf: ein Gerät öffnen (Doppelklick oder „Verlauf“).</translation>
    </message>
    <message>
        <source>Certificate</source>
        <translation>Kalibrierschein</translation>
    </message>
    <message>
        <source>Revision</source>
        <translatorcomment>same</translatorcomment>
        <translation>Revision</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>As-found largest error</source>
        <translation>Größter Fehler Eingangsbefund</translation>
    </message>
    <message>
        <source>Previous as-left largest error</source>
        <translation>Größter Fehler voriger Ausgangsbefund</translation>
    </message>
    <message>
        <source>The lab database cannot be read: %1</source>
        <translation>Die Labordatenbank kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The instruments could not be read: %1</source>
        <translation>Die Geräte konnten nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>now (never calibrated)</source>
        <translation>jetzt (nie kalibriert)</translation>
    </message>
    <message>
        <source>overdue</source>
        <translation>überfällig</translation>
    </message>
    <message numerus="yes">
        <source>%n instrument(s) in %1.</source>
        <translation>
            <numerusform>%n Gerät in %1.</numerusform>
            <numerusform>%n Geräte in %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>The history of %1 could not be read: %2</source>
        <translation>Der Verlauf von %1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>History of %1</source>
        <translation>Verlauf von %1</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translatorcomment>same</translatorcomment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Instrument %1 could not be read: %2</source>
        <translation>Gerät %1 konnte nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>vorenx::CLabSettingsDlg</name>
    <message>
        <source>Laboratory</source>
        <translation>Labor</translation>
    </message>
    <message>
        <source>DE</source>
        <translatorcomment>same</translatorcomment>
        <translation>DE</translation>
    </message>
    <message>
        <source>Name:</source>
        <translatorcomment>same</translatorcomment>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Anschrift:</translation>
    </message>
    <message>
        <source>Authorised signatory:</source>
        <translation>Zeichnungsberechtigte Person:</translation>
    </message>
    <message>
        <source>Signatory&apos;s role:</source>
        <translation>Funktion der unterzeichnenden Person:</translation>
    </message>
    <message>
        <source>Country (ISO 3166 code):</source>
        <translation>Land (ISO-3166-Code):</translation>
    </message>
    <message>
        <source>Certificate language:</source>
        <translation>Sprache der Kalibrierscheine:</translation>
    </message>
</context>
<context>
    <name>vorenx::CReadingsLog</name>
    <message>
        <source>Copy All</source>
        <translation>Alles kopieren</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>Drucken...</translation>
    </message>
    <message>
        <source>Export for a Spreadsheet...</source>
        <translation>Für Tabellenkalkulation exportieren...</translation>
    </message>
    <message>
        <source>The readings could not be written to %1: %2</source>
        <translation>Die Messwerte konnten nicht in %1 geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Upper</source>
        <translation>Oben</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>Unten</translation>
    </message>
</context>
<context>
    <name>vorenx::CStandardDlg</name>
    <message>
        <source>Add Reference Standard</source>
        <translation>Bezugsnormal hinzufügen</translation>
    </message>
    <message>
        <source>for example: new certificate DKD-5120 of 2026-03-02</source>
        <translation>zum Beispiel: neuer Kalibrierschein DKD-5120 vom 2026-03-02</translation>
    </message>
    <message>
        <source>Reason for the change:</source>
        <translation>Grund der Änderung:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Seriennummer:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Beschreibung:</translation>
    </message>
    <message>
        <source>Certificate number:</source>
        <translation>Kalibrierscheinnummer:</translation>
    </message>
    <message>
        <source>Calibrated on:</source>
        <translation>Kalibriert am:</translation>
    </message>
    <message>
        <source>Due on:</source>
        <translation>Fällig am:</translation>
    </message>
    <message>
        <source>Accuracy:</source>
        <translation>Genauigkeit:</translation>
    </message>
    <message>
        <source>Edit Reference Standard %1</source>
        <translation>Bezugsnormal %1 bearbeiten</translation>
    </message>
    <message>
        <source>Calibration date</source>
        <translation>Kalibrierdatum</translation>
    </message>
    <message>
        <source>Due date</source>
        <translation>Fälligkeitsdatum</translation>
    </message>
    <message>
        <source>%1: write the date as YYYY-MM-DD, for example 2027-01-10.</source>
        <translation>%1: das Datum als JJJJ-MM-TT schreiben, zum Beispiel 2027-01-10.</translation>
    </message>
    <message>
        <source>Reason: say why the standard&apos;s values change (a new certificate, a correction); the audit trail keeps it.</source>
        <translation>Grund: angeben, warum sich die Werte des Normals ändern (neuer Kalibrierschein, Korrektur); der Prüfpfad hält ihn fest.</translation>
    </message>
</context>
<context>
    <name>vorenx::CStandardsDlg</name>
    <message>
        <source>Reference Standards</source>
        <translation>Bezugsnormale</translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>Seriennr.</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Certificate</source>
        <translation>Kalibrierschein</translation>
    </message>
    <message>
        <source>Calibrated</source>
        <translation>Kalibriert</translation>
    </message>
    <message>
        <source>Due</source>
        <translation>Fällig</translation>
    </message>
    <message>
        <source>Accuracy</source>
        <translation>Genauigkeit</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Hinzufügen...</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Bearbeiten...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>The lab database cannot be read: %1</source>
        <translation>Die Labordatenbank kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The reference standards could not be read: %1</source>
        <translation>Die Bezugsnormale konnten nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>overdue</source>
        <translation>überfällig</translation>
    </message>
    <message>
        <source>default table</source>
        <translation>Standardtabelle</translation>
    </message>
    <message>
        <source>own table, 1 row</source>
        <translation>eigene Tabelle, 1 Zeile</translation>
    </message>
    <message>
        <source>own table, %1 rows</source>
        <translation>eigene Tabelle, %1 Zeilen</translation>
    </message>
    <message numerus="yes">
        <source>%n reference standard(s) in %1.</source>
        <translation>
            <numerusform>%n Bezugsnormal in %1.</numerusform>
            <numerusform>%n Bezugsnormale in %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>The standard could not be added: %1</source>
        <translation>Das Normal konnte nicht hinzugefügt werden: %1</translation>
    </message>
    <message>
        <source>The standard could not be changed: %1</source>
        <translation>Das Normal konnte nicht geändert werden: %1</translation>
    </message>
</context>
<context>
    <name>vorenx::CStaticLCD</name>
    <message>
        <source>Save Image</source>
        <translation>Bild speichern</translation>
    </message>
    <message>
        <source>Save Data As Bmp...</source>
        <translation>Daten als BMP speichern...</translation>
    </message>
    <message>
        <source>Bmp File(*.bmp)</source>
        <translation>BMP-Datei (*.bmp)</translation>
    </message>
</context>
<context>
    <name>vorenx::CStatisticsWnd</name>
    <message>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Start the figures since a reset over (the wave&apos;s window follows the wave)</source>
        <translation>Die Werte seit dem Zurücksetzen neu beginnen (das Fenster der Kurve folgt der Kurve)</translation>
    </message>
    <message>
        <source>Upper</source>
        <translation>Oben</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>Unten</translation>
    </message>
    <message>
        <source>Since the start</source>
        <translation>Seit dem Start</translation>
    </message>
    <message>
        <source>Since %1</source>
        <translation>Seit %1</translation>
    </message>
    <message>
        <source>Since %1 (upper), %2 (lower)</source>
        <translation>Seit %1 (oben), %2 (unten)</translation>
    </message>
    <message>
        <source>Over the wave&apos;s window (the newest %1 readings at most)</source>
        <translation>Über das Fenster der Kurve (höchstens die neuesten %1 Messwerte)</translation>
    </message>
</context>
<context>
    <name>vorenx::CVorenxDlg</name>
    <message>
        <source>Save Data...</source>
        <translation>Daten speichern...</translation>
    </message>
    <message>
        <source>Run/Stop</source>
        <translation>Start/Stopp</translation>
    </message>
    <message>
        <source>Calibration...</source>
        <translation>Kalibrierung...</translation>
    </message>
    <message>
        <source>Calibration...	Ctrl+K</source>
        <translation>Kalibrierung...	Ctrl+K</translation>
    </message>
    <message>
        <source>Instruments...</source>
        <translation>Geräte...</translation>
    </message>
    <message>
        <source>Laboratory...</source>
        <translation>Labor...</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>Bild speichern</translation>
    </message>
    <message>
        <source>Unable to save the image &quot;%1&quot;</source>
        <translation>Das Bild „%1“ kann nicht gespeichert werden</translation>
    </message>
    <message>
        <source>New Window	Ctrl+N</source>
        <translation>Neues Fenster	Ctrl+N</translation>
    </message>
    <message>
        <source>Statistics...</source>
        <translation>Statistik...</translation>
    </message>
    <message>
        <source>Alarms...</source>
        <translation>Alarme...</translation>
    </message>
    <message>
        <source>Cannot start another window.</source>
        <translation>Ein weiteres Fenster kann nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Cannot open the journal folder %1</source>
        <translation>Der Journalordner %1 kann nicht geöffnet werden</translation>
    </message>
</context>
<context>
    <name>vorenx::CalibrationResultsTable</name>
    <message>
        <source>%1 (drift against %2)</source>
        <translation>%1 (Drift gegenüber %2)</translation>
    </message>
    <message>
        <source>Expanded uncertainty U of the point, k = 2 (about 95 %), in output units</source>
        <translation>Erweiterte Messunsicherheit U des Punktes, k = 2 (etwa 95 %), in Ausgangseinheiten</translation>
    </message>
    <message>
        <source>Test uncertainty ratio: the tolerance over U</source>
        <translation>Prüfunsicherheitsverhältnis: Toleranz durch U</translation>
    </message>
    <message>
        <source>test uncertainty ratio under %1:1</source>
        <translation>Prüfunsicherheitsverhältnis unter %1:1</translation>
    </message>
</context>
<context>
    <name>vorenx::CalibrationRun</name>
    <message>
        <source>Point %1 of %2 (%3 %%4)</source>
        <translation>Punkt %1 von %2 (%3 %%4)</translation>
    </message>
    <message>
        <source>, down</source>
        <translation>, abwärts</translation>
    </message>
    <message>
        <source>Not started.</source>
        <translation>Nicht gestartet.</translation>
    </message>
    <message>
        <source>Setting the calibrator&apos;s functions up; the output stays off.</source>
        <translation>Die Funktionen des Kalibrators werden eingestellt; der Ausgang bleibt aus.</translation>
    </message>
    <message>
        <source>Waiting for the calibrator to answer; the output stays off.</source>
        <translation>Warten auf eine Antwort des Kalibrators; der Ausgang bleibt aus.</translation>
    </message>
    <message>
        <source>Ready. Connect the instrument under test, then confirm to switch the calibrator&apos;s output on.</source>
        <translation>Bereit. Den Prüfling anschließen, dann bestätigen, um den Ausgang des Kalibrators einzuschalten.</translation>
    </message>
    <message>
        <source>%1: sourcing %2, waiting for the calibrator to show it.</source>
        <translation>%1: Ausgabe %2, warten, bis der Kalibrator sie anzeigt.</translation>
    </message>
    <message>
        <source>%1: sourcing %2, waiting for the reading to settle (%3 readings).</source>
        <translation>%1: Ausgabe %2, warten, bis der Messwert stabil ist (%3 Messwerte).</translation>
    </message>
    <message>
        <source>Finished: %1 points recorded; the output was switched off.</source>
        <translation>Fertig: %1 Punkte aufgezeichnet; der Ausgang wurde abgeschaltet.</translation>
    </message>
    <message>
        <source>Ended early: %1. The output is off.</source>
        <translation>Vorzeitig beendet: %1. Der Ausgang ist aus.</translation>
    </message>
    <message>
        <source>The calibrator stopped answering; the run is paused and the output was switched off. Check the connection; once it answers again, confirm to repeat the point at %1 %.</source>
        <translation>Der Kalibrator antwortet nicht mehr; der Durchlauf ist angehalten und der Ausgang wurde abgeschaltet. Die Verbindung prüfen; sobald er wieder antwortet, bestätigen, um den Punkt bei %1 % zu wiederholen.</translation>
    </message>
    <message>
        <source>The calibrator is connected again; waiting for it to show its output off before the point at %1 % is repeated.</source>
        <translation>Der Kalibrator ist wieder verbunden; warten, bis er seinen Ausgang als aus anzeigt, bevor der Punkt bei %1 % wiederholt wird.</translation>
    </message>
    <message>
        <source>The calibrator answers again; its output was switched off. Confirm to switch it on and repeat the point at %1 %.</source>
        <translation>Der Kalibrator antwortet wieder; sein Ausgang wurde abgeschaltet. Bestätigen, um ihn einzuschalten und den Punkt bei %1 % zu wiederholen.</translation>
    </message>
</context>
<context>
    <name>vorenx::CertificateWords</name>
    <message>
        <source>Calibration certificate</source>
        <translation>Kalibrierschein</translation>
    </message>
    <message>
        <source> (continued)</source>
        <translation> (Fortsetzung)</translation>
    </message>
    <message>
        <source>Statements</source>
        <translation>Aussagen</translation>
    </message>
    <message>
        <source>authorised signatory not set</source>
        <translation>zeichnungsberechtigte Person nicht festgelegt</translation>
    </message>
    <message>
        <source>Calibrated by</source>
        <translation>Kalibriert von</translation>
    </message>
    <message>
        <source>Authorised signatory</source>
        <translation>Zeichnungsberechtigte Person</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>as-found</source>
        <translation>Eingangsbefund</translation>
    </message>
    <message>
        <source>as-left</source>
        <translation>Ausgangsbefund</translation>
    </message>
    <message>
        <source>%1 % of the input span, %2; %3</source>
        <translation>%1 % der Eingangsspanne, %2; %3</translation>
    </message>
    <message>
        <source>up and down</source>
        <translation>auf- und abwärts</translation>
    </message>
    <message>
        <source>up</source>
        <translation>aufwärts</translation>
    </message>
    <message>
        <source> then </source>
        <translation> dann </translation>
    </message>
    <message>
        <source>manufacturer %1, model %2, serial %3</source>
        <translation>Hersteller %1, Modell %2, Seriennummer %3</translation>
    </message>
    <message>
        <source>Address %1</source>
        <translation>Anschrift %1</translation>
    </message>
    <message>
        <source>Certificate</source>
        <translation>Kalibrierschein</translation>
    </message>
    <message>
        <source>Replaces</source>
        <translation>Ersetzt</translation>
    </message>
    <message>
        <source>certificate %1, revision %2</source>
        <translation>Kalibrierschein %1, Revision %2</translation>
    </message>
    <message>
        <source>Customer / owner</source>
        <translation>Auftraggeber / Eigentümer</translation>
    </message>
    <message>
        <source>Instrument</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Identity</source>
        <translation>Identifikation</translation>
    </message>
    <message>
        <source>Calibrated</source>
        <translation>Kalibriert</translation>
    </message>
    <message>
        <source>Issued</source>
        <translation>Ausgestellt</translation>
    </message>
    <message>
        <source>Technician</source>
        <translation>Prüfer</translation>
    </message>
    <message>
        <source>Method</source>
        <translation>Verfahren</translation>
    </message>
    <message>
        <source>Settling</source>
        <translation>Einschwingen</translation>
    </message>
    <message>
        <source>Input (sourced)</source>
        <translation>Eingang (ausgegeben)</translation>
    </message>
    <message>
        <source>Output (measured)</source>
        <translation>Ausgang (gemessen)</translation>
    </message>
    <message>
        <source>Tolerance</source>
        <translation>Toleranz</translation>
    </message>
    <message>
        <source>Decision rule</source>
        <translation>Entscheidungsregel</translation>
    </message>
    <message>
        <source>guard band w = U</source>
        <translation>Schutzband w = U</translation>
    </message>
    <message>
        <source>simple acceptance</source>
        <translation>einfache Akzeptanz</translation>
    </message>
    <message>
        <source>Reference standard</source>
        <translation>Bezugsnormal</translation>
    </message>
    <message>
        <source>Calibrator</source>
        <translation>Kalibrator</translation>
    </message>
    <message>
        <source>Environment</source>
        <translation>Umgebung</translation>
    </message>
    <message>
        <source>ambient %1, relative humidity %2</source>
        <translation>Umgebung %1, relative Feuchte %2</translation>
    </message>
    <message>
        <source>Point %</source>
        <translation>Punkt %</translation>
    </message>
    <message>
        <source>Dir.</source>
        <translation>Richt.</translation>
    </message>
    <message>
        <source>Applied</source>
        <translation>Vorgegeben</translation>
    </message>
    <message>
        <source>Expected</source>
        <translation>Sollwert</translation>
    </message>
    <message>
        <source>Measured</source>
        <translation>Gemessen</translation>
    </message>
    <message>
        <source>Error % span</source>
        <translation>Fehler % Spanne</translation>
    </message>
    <message>
        <source>U (%1, k = 2)</source>
        <translatorcomment>same</translatorcomment>
        <translation>U (%1, k = 2)</translation>
    </message>
    <message>
        <source>TUR</source>
        <translatorcomment>same</translatorcomment>
        <translation>TUR</translation>
    </message>
    <message>
        <source>Drift % span</source>
        <translation>Drift % Spanne</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>down</source>
        <translation>abwärts</translation>
    </message>
    <message>
        <source>No earlier as-left of this tag to compare with.</source>
        <translation>Kein früherer Ausgangsbefund dieser Messstelle zum Vergleich.</translation>
    </message>
    <message>
        <source>, certificate %1</source>
        <translation>, Kalibrierschein %1</translation>
    </message>
    <message>
        <source>No point in common with %1.</source>
        <translation>Kein gemeinsamer Punkt mit %1.</translation>
    </message>
    <message>
        <source>Largest drift %1 % of span at %2 %, against %3.</source>
        <translation>Größte Drift %1 % der Spanne bei %2 %, gegenüber %3.</translation>
    </message>
    <message>
        <source>Audit trail&apos;s newest hash (SHA-256) when issued: %1</source>
        <translation>Neuester Hashwert des Prüfpfads (SHA-256) bei Ausstellung: %1</translation>
    </message>
    <message>
        <source>Issued with %1.</source>
        <translation>Ausgestellt mit %1.</translation>
    </message>
    <message>
        <source>Certificate %1 — %2</source>
        <translation>Kalibrierschein %1 — %2</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>The certificate could not be written to %1: %2</source>
        <translation>Der Kalibrierschein konnte nicht in %1 geschrieben werden: %2</translation>
    </message>
    <message>
        <source>the program has no graphical application to draw it with (start it with QGuiApplication; the offscreen platform is enough)</source>
        <translation>das Programm hat keine grafische Anwendung zum Zeichnen (mit QGuiApplication starten; die Offscreen-Plattform genügt)</translation>
    </message>
    <message>
        <source>Calibration certificate %1</source>
        <translation>Kalibrierschein %1</translation>
    </message>
    <message>
        <source>the PDF could not be painted</source>
        <translation>das PDF konnte nicht gezeichnet werden</translation>
    </message>
    <message>
        <source>nothing was written (is the disk full?)</source>
        <translation>es wurde nichts geschrieben (ist der Datenträger voll?)</translation>
    </message>
    <message>
        <source>Error (% of output span) against input (% of input span)</source>
        <translation>Fehler (% der Ausgangsspanne) über dem Eingang (% der Eingangsspanne)</translation>
    </message>
    <message>
        <source>Input, % of span</source>
        <translation>Eingang, % der Spanne</translation>
    </message>
    <message>
        <source>Tolerance ±%1 %</source>
        <translation>Toleranz ±%1 %</translation>
    </message>
    <message>
        <source>Write decimals with &quot;.&quot; and separate the points with &quot;, &quot; or &quot;;&quot; (for example &quot;0, 12.5, 50&quot;).</source>
        <translation>Dezimalstellen mit „.“ schreiben und die Punkte mit „, “ oder „;“ trennen (zum Beispiel „0, 12.5, 50“).</translation>
    </message>
    <message>
        <source>Enter at least one test point in % of the input span.</source>
        <translation>Mindestens einen Prüfpunkt in % der Eingangsspanne eingeben.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number.</source>
        <translation>„%1“ ist keine Zahl.</translation>
    </message>
    <message>
        <source>%1 readings within %2 % of the tolerance, at most %3 s</source>
        <translation>%1 Messwerte innerhalb %2 % der Toleranz, höchstens %3 s</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Richtung</translation>
    </message>
    <message>
        <source>Error % of span</source>
        <translation>Fehler % der Spanne</translation>
    </message>
    <message>
        <source>Drift % of span</source>
        <translation>Drift % der Spanne</translation>
    </message>
    <message>
        <source>Fail (not settled)</source>
        <translation>Nicht bestanden (nicht eingeschwungen)</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>Bestanden</translation>
    </message>
    <message>
        <source>Indeterminate</source>
        <translation>Unentschieden</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>Nicht bestanden</translation>
    </message>
    <message>
        <source>not recorded</source>
        <translation>nicht erfasst</translation>
    </message>
    <message>
        <source>%1: %2in progress, %3 recorded.</source>
        <translation>%1: %2läuft, %3 erfasst.</translation>
    </message>
    <message>
        <source>FAIL so far, </source>
        <translation>bisher NICHT BESTANDEN, </translation>
    </message>
    <message>
        <source>1 point</source>
        <translation>1 Punkt</translation>
    </message>
    <message>
        <source>%1 points</source>
        <translation>%1 Punkte</translation>
    </message>
    <message>
        <source> (conformity could not be decided at %1)</source>
        <translation> (Konformität bei %1 nicht entscheidbar)</translation>
    </message>
    <message>
        <source> Largest error %1 % of span at %2 % %3.</source>
        <translation> Größter Fehler %1 % der Spanne bei %2 % %3.</translation>
    </message>
    <message>
        <source> Hysteresis %1 % of span.</source>
        <translation> Hysterese %1 % der Spanne.</translation>
    </message>
    <message>
        <source> Ended early: %1.</source>
        <translation> Vorzeitig beendet: %1.</translation>
    </message>
    <message>
        <source>the last complete as-left, finished %1</source>
        <translation>der letzte vollständige Ausgangsbefund, beendet %1</translation>
    </message>
    <message>
        <source>%1, record %2</source>
        <translation>%1, Datensatz %2</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translatorcomment>same</translatorcomment>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translatorcomment>same</translatorcomment>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translatorcomment>same</translatorcomment>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>%1 for %2</source>
        <translation>%1 für %2</translation>
    </message>
    <message>
        <source>%1 until the run ended</source>
        <translation>%1 bis zum Ende des Durchlaufs</translation>
    </message>
    <message>
        <source>Interrupted: the calibrator stopped answering at %1.</source>
        <translation>Unterbrochen: Der Kalibrator antwortete ab %1 nicht mehr.</translation>
    </message>
    <message>
        <source>The revision this certificate replaces cannot be read: %1</source>
        <translation>Die von diesem Kalibrierschein ersetzte Revision kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source> and %1 more</source>
        <translation> und %1 weitere</translation>
    </message>
    <message>
        <source>the one point</source>
        <translation>dem einen Punkt</translation>
    </message>
    <message>
        <source>%1 of %2 points</source>
        <translation>%1 von %2 Punkten</translation>
    </message>
    <message>
        <source>Laboratory not set</source>
        <translation>Labor nicht festgelegt</translation>
    </message>
    <message>
        <source>This certificate shall not be reproduced except in full without the written approval of the laboratory.</source>
        <translation>Dieser Kalibrierschein darf ohne schriftliche Genehmigung des Labors nur vollständig vervielfältigt werden.</translation>
    </message>
    <message>
        <source>not issued from the lab&apos;s records (tag %1)</source>
        <translation>nicht aus den Laboraufzeichnungen ausgestellt (Messstelle %1)</translation>
    </message>
    <message>
        <source>%1, revision %2</source>
        <translation>%1, Revision %2</translation>
    </message>
    <message>
        <source> (draft, not yet approved)</source>
        <translation> (Entwurf, noch nicht freigegeben)</translation>
    </message>
    <message>
        <source>This certificate replaces certificate %1, revision %2.</source>
        <translation>Dieser Kalibrierschein ersetzt den Kalibrierschein %1, Revision %2.</translation>
    </message>
    <message>
        <source>Decision rule: guard band w = U. A point conforms when its error is within the tolerance (%1) less its expanded uncertainty U, does not conform when it exceeds the tolerance by more than U, and conformity cannot be decided (indeterminate) between the two.</source>
        <translation>Entscheidungsregel: Schutzband w = U. Ein Punkt ist konform, wenn sein Fehler innerhalb der Toleranz (%1) abzüglich seiner erweiterten Messunsicherheit U liegt, nicht konform, wenn er die Toleranz um mehr als U überschreitet, und dazwischen ist die Konformität nicht entscheidbar (unentschieden).</translation>
    </message>
    <message>
        <source>Decision rule: simple acceptance. A point conforms when its error is within the tolerance (%1); its expanded uncertainty U is stated but not taken from the tolerance.</source>
        <translation>Entscheidungsregel: einfache Akzeptanz. Ein Punkt ist konform, wenn sein Fehler innerhalb der Toleranz (%1) liegt; seine erweiterte Messunsicherheit U wird angegeben, aber nicht von der Toleranz abgezogen.</translation>
    </message>
    <message>
        <source>%1: the run ended before its last point%2, so no statement of conformity is made.</source>
        <translation>%1: Der Durchlauf endete vor seinem letzten Punkt%2, daher wird keine Konformitätsaussage getroffen.</translation>
    </message>
    <message>
        <source>%1: conforms to the tolerance (%2) at its one point.</source>
        <translation>%1: konform mit der Toleranz (%2) an seinem einen Punkt.</translation>
    </message>
    <message>
        <source>%1: conforms to the tolerance (%2) at all %3 points.</source>
        <translation>%1: konform mit der Toleranz (%2) an allen %3 Punkten.</translation>
    </message>
    <message>
        <source>%1: does not conform to the tolerance (%2): it fails at %3 (%4).</source>
        <translation>%1: nicht konform mit der Toleranz (%2): nicht bestanden bei %3 (%4).</translation>
    </message>
    <message>
        <source>conformity could not be decided at %1 (%2): the error lies within U of the tolerance limit.</source>
        <translation>bei %1 (%2) ist die Konformität nicht entscheidbar: Der Fehler liegt innerhalb von U um die Toleranzgrenze.</translation>
    </message>
    <message>
        <source>The expanded uncertainty U is the combined standard uncertainty multiplied by the coverage factor k = 2, which for a normal distribution corresponds to a coverage probability of about 95 %.</source>
        <translation>Die erweiterte Messunsicherheit U ist die kombinierte Standardunsicherheit multipliziert mit dem Erweiterungsfaktor k = 2; bei einer Normalverteilung entspricht dies einer Überdeckungswahrscheinlichkeit von etwa 95 %.</translation>
    </message>
    <message>
        <source>Points marked * have a test uncertainty ratio (tolerance over U) below %1:1.</source>
        <translation>Mit * markierte Punkte haben ein Prüfunsicherheitsverhältnis (Toleranz durch U) unter %1:1.</translation>
    </message>
    <message>
        <source>At 0 % of a square-root output the input&apos;s sensitivity is unbounded: U there comes from the output side alone.</source>
        <translation>Bei 0 % eines radizierenden Ausgangs ist die Empfindlichkeit gegenüber dem Eingang unbegrenzt: U stammt dort allein von der Ausgangsseite.</translation>
    </message>
    <message>
        <source>%1 % RH</source>
        <translation>%1 % r. F.</translation>
    </message>
    <message>
        <source>serial %1</source>
        <translation>Seriennummer %1</translation>
    </message>
    <message>
        <source>certificate %1</source>
        <translation>Kalibrierschein %1</translation>
    </message>
    <message>
        <source>calibrated %1</source>
        <translation>kalibriert %1</translation>
    </message>
    <message>
        <source>due %1</source>
        <translation>fällig %1</translation>
    </message>
    <message>
        <source>; used past its due date: %1</source>
        <translation>; nach Fälligkeit verwendet: %1</translation>
    </message>
    <message>
        <source>The calibrator sources the input and reads the output of the instrument under test at each test point once the readings have settled.</source>
        <translation>Der Kalibrator gibt an jedem Prüfpunkt den Eingang vor und liest den Ausgang des Prüflings, sobald die Messwerte eingeschwungen sind.</translation>
    </message>
    <message>
        <source>Input (sourced): %1.</source>
        <translation>Eingang (ausgegeben): %1.</translation>
    </message>
    <message>
        <source>Output (measured): %1.</source>
        <translation>Ausgang (gemessen): %1.</translation>
    </message>
    <message>
        <source>Tolerance: %1.</source>
        <translation>Toleranz: %1.</translation>
    </message>
    <message>
        <source>Test points: %1 % of the input span, %2.</source>
        <translation>Prüfpunkte: %1 % der Eingangsspanne, %2.</translation>
    </message>
    <message>
        <source>Settling: %1.</source>
        <translation>Einschwingen: %1.</translation>
    </message>
    <message>
        <source>As-found: as received, before any adjustment; as-left: after adjustment, if any.</source>
        <translation>Eingangsbefund: im Anlieferungszustand, vor jeder Justierung; Ausgangsbefund: nach einer etwaigen Justierung.</translation>
    </message>
    <message>
        <source>The input was set in ℉; its values are given here in ℃ (t/℃ = (t/℉ - 32) / 1.8).</source>
        <translation>Der Eingang wurde in ℉ eingestellt; seine Werte sind hier in ℃ angegeben (t/℃ = (t/℉ - 32) / 1.8).</translation>
    </message>
    <message>
        <source>Reference standard: %1.</source>
        <translation>Bezugsnormal: %1.</translation>
    </message>
    <message>
        <source>Calibrator: %1.</source>
        <translation>Kalibrator: %1.</translation>
    </message>
    <message>
        <source>Uncertainties from the calibrator&apos;s documented default accuracy table.</source>
        <translation>Unsicherheiten aus der dokumentierten Standard-Genauigkeitstabelle des Kalibrators.</translation>
    </message>
    <message>
        <source>Uncertainties from the accuracy table of the standard&apos;s own certificate.</source>
        <translation>Unsicherheiten aus der Genauigkeitstabelle des eigenen Kalibrierscheins des Normals.</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>Calibration certificate of the standard</source>
        <translation>Kalibrierschein des Normals</translation>
    </message>
    <message>
        <source>Ambient temperature</source>
        <translation>Umgebungstemperatur</translation>
    </message>
    <message>
        <source>Relative humidity</source>
        <translation>Relative Feuchte</translation>
    </message>
    <message>
        <source>%1, %2 % of span, %3</source>
        <translation>%1, %2 % der Spanne, %3</translation>
    </message>
    <message>
        <source>Test point (% of the input span)</source>
        <translation>Prüfpunkt (% der Eingangsspanne)</translation>
    </message>
    <message>
        <source>Applied input</source>
        <translation>Vorgegebener Eingang</translation>
    </message>
    <message>
        <source>Expected output</source>
        <translation>Erwarteter Ausgang</translation>
    </message>
    <message>
        <source>Measured output</source>
        <translation>Gemessener Ausgang</translation>
    </message>
    <message>
        <source>Expanded uncertainty: %1.</source>
        <translation>Erweiterte Messunsicherheit: %1.</translation>
    </message>
    <message>
        <source>No reading came at this point.</source>
        <translation>An diesem Punkt kam kein Messwert.</translation>
    </message>
    <message>
        <source>Error (% of the output span)</source>
        <translation>Fehler (% der Ausgangsspanne)</translation>
    </message>
    <message>
        <source>Test uncertainty ratio (tolerance over U)</source>
        <translation>Prüfunsicherheitsverhältnis (Toleranz durch U)</translation>
    </message>
    <message>
        <source>Conformity could not be decided: the error lies within U of the tolerance limit.</source>
        <translation>Die Konformität ist nicht entscheidbar: Der Fehler liegt innerhalb von U um die Toleranzgrenze.</translation>
    </message>
    <message>
        <source>The test uncertainty ratio of this point is below %1:1.</source>
        <translation>Das Prüfunsicherheitsverhältnis dieses Punktes liegt unter %1:1.</translation>
    </message>
    <message>
        <source>Calibration of the transfer function</source>
        <translation>Kalibrierung der Übertragungsfunktion</translation>
    </message>
    <message>
        <source>Measurement uncertainty</source>
        <translation>Messunsicherheit</translation>
    </message>
    <message>
        <source>Budget of each point: the calibrator&apos;s source and measure accuracy, the resolution of the instrument under test and the repeatability of the settled readings.</source>
        <translation>Unsicherheitsbudget jedes Punktes: die Geber- und Messgenauigkeit des Kalibrators, die Auflösung des Prüflings und die Wiederholbarkeit der eingeschwungenen Messwerte.</translation>
    </message>
    <message>
        <source>No point was recorded.</source>
        <translation>Es wurde kein Punkt erfasst.</translation>
    </message>
    <message>
        <source>Certificate number</source>
        <translation>Kalibrierscheinnummer</translation>
    </message>
    <message>
        <source>Revision</source>
        <translatorcomment>same</translatorcomment>
        <translation>Revision</translation>
    </message>
    <message>
        <source>Tag %1: %2</source>
        <translation>Messstelle %1: %2</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Messstellen-Nr.</translation>
    </message>
    <message>
        <source>Technician who calibrated the instrument</source>
        <translation>Prüfer, der das Gerät kalibriert hat</translation>
    </message>
    <message>
        <source>Address: %1</source>
        <translation>Anschrift: %1</translation>
    </message>
    <message>
        <source>Conformity, %1</source>
        <translation>Konformität, %1</translation>
    </message>
    <message>
        <source>Amendment</source>
        <translation>Änderung</translation>
    </message>
    <message>
        <source>Laboratory</source>
        <translation>Labor</translation>
    </message>
    <message>
        <source>The laboratory&apos;s identity is not completely set in the program (name: %1; country: %2).</source>
        <translation>Die Identität des Labors ist im Programm nicht vollständig festgelegt (Name: %1; Land: %2).</translation>
    </message>
    <message>
        <source>not set, written as ZZ</source>
        <translation>nicht festgelegt, als ZZ geschrieben</translation>
    </message>
    <message>
        <source>Audit trail</source>
        <translation>Prüfpfad</translation>
    </message>
    <message>
        <source>When this certificate was issued the newest entry of the laboratory&apos;s audit trail had the SHA-256 hash %1.</source>
        <translation>Bei Ausstellung dieses Kalibrierscheins hatte der neueste Eintrag des Prüfpfads des Labors den SHA-256-Hashwert %1.</translation>
    </message>
    <message>
        <source>Issued %1 by %2.</source>
        <translation>Ausgestellt am %1 von %2.</translation>
    </message>
    <message>
        <source>Reproduction</source>
        <translation>Vervielfältigung</translation>
    </message>
    <message>
        <source>The digital certificate could not be written to %1: %2</source>
        <translation>Der digitale Kalibrierschein konnte nicht in %1 geschrieben werden: %2</translation>
    </message>
    <message>
        <source>it is issued only for a calibration in the lab&apos;s records</source>
        <translation>er wird nur für eine Kalibrierung in den Laboraufzeichnungen ausgestellt</translation>
    </message>
    <message>
        <source>the calibration has no run to certify</source>
        <translation>die Kalibrierung hat keinen zu bescheinigenden Durchlauf</translation>
    </message>
    <message>
        <source>A name or role is kept up to %1 characters.</source>
        <translation>Ein Name oder eine Funktion wird bis zu %1 Zeichen gespeichert.</translation>
    </message>
    <message>
        <source>The address is kept up to %1 characters.</source>
        <translation>Die Anschrift wird bis zu %1 Zeichen gespeichert.</translation>
    </message>
    <message>
        <source>The country is a code of two capital letters (ISO 3166-1, for example &quot;DE&quot; or &quot;GB&quot;), not &quot;%1&quot;.</source>
        <translation>Das Land ist ein Code aus zwei Großbuchstaben (ISO 3166-1, zum Beispiel „DE“ oder „GB“), nicht „%1“.</translation>
    </message>
    <message>
        <source>There is no settings file to keep the laboratory in.</source>
        <translation>Es gibt keine Einstellungsdatei, in der das Labor gespeichert werden kann.</translation>
    </message>
    <message>
        <source>The laboratory could not be kept in %1.</source>
        <translation>Das Labor konnte nicht in %1 gespeichert werden.</translation>
    </message>
    <message>
        <source>Certificates cannot be printed in &quot;%1&quot;.</source>
        <translation>Kalibrierscheine können nicht in „%1“ gedruckt werden.</translation>
    </message>
    <message>
        <source>As-found</source>
        <translation>Eingangsbefund</translation>
    </message>
    <message>
        <source>As-left</source>
        <translation>Ausgangsbefund</translation>
    </message>
    <message>
        <source>PASS</source>
        <translation>BESTANDEN</translation>
    </message>
    <message>
        <source>INDETERMINATE</source>
        <translation>NICHT ENTSCHEIDBAR</translation>
    </message>
    <message>
        <source>FAIL</source>
        <translation>NICHT BESTANDEN</translation>
    </message>
    <message>
        <source>INCOMPLETE</source>
        <translation>UNVOLLSTÄNDIG</translation>
    </message>
</context>
<context>
    <name>vorenx::ControlTable</name>
    <message>
        <source>Upper</source>
        <translation>Oben</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>Unten</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Port:</source>
        <translatorcomment>same</translatorcomment>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Interval:</source>
        <translation>Intervall:</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Länge:</translation>
    </message>
    <message>
        <source>WaveShow</source>
        <translation>Kurve</translation>
    </message>
    <message>
        <source>ALL</source>
        <translation>ALLE</translation>
    </message>
    <message>
        <source>Div</source>
        <translation>Bereich</translation>
    </message>
    <message>
        <source>Hart</source>
        <translation>HART</translation>
    </message>
    <message>
        <source>Simulation</source>
        <translatorcomment>same</translatorcomment>
        <translation>Simulation</translation>
    </message>
    <message>
        <source>CJC</source>
        <translation>Vgl.-Stelle</translation>
    </message>
    <message>
        <source>Out</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>SaveData</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>DisConnected</source>
        <translation>Getrennt</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>Stop</source>
        <translatorcomment>same</translatorcomment>
        <translation>Stop</translation>
    </message>
    <message>
        <source>VOL</source>
        <translation>Spg.</translation>
    </message>
    <message>
        <source>CURR</source>
        <translation>Strom</translation>
    </message>
    <message>
        <source>RESIS</source>
        <translation>Widerst.</translation>
    </message>
    <message>
        <source>RTD</source>
        <translatorcomment>same</translatorcomment>
        <translation>RTD</translation>
    </message>
    <message>
        <source>TC</source>
        <translation>TE</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>Spannung</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Strom</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Schleife</translation>
    </message>
    <message>
        <source>Two-wire</source>
        <translation>2-Leiter</translation>
    </message>
    <message>
        <source>Three-wire</source>
        <translation>3-Leiter</translation>
    </message>
    <message>
        <source>Four-wire</source>
        <translation>4-Leiter</translation>
    </message>
</context>
<context>
    <name>vorenx::FunctionNames</name>
    <message>
        <source>Voltage</source>
        <translation>Spannung</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Strom</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Schleife</translation>
    </message>
    <message>
        <source>Millivolt</source>
        <translatorcomment>same</translatorcomment>
        <translation>Millivolt</translation>
    </message>
    <message>
        <source>Current simulation</source>
        <translation>Stromsimulation</translation>
    </message>
    <message>
        <source>TC Volt</source>
        <translation>TE Volt</translation>
    </message>
    <message>
        <source>Resistance</source>
        <translation>Widerstand</translation>
    </message>
    <message>
        <source>2-wire</source>
        <translation>2-Leiter</translation>
    </message>
    <message>
        <source>3-wire</source>
        <translation>3-Leiter</translation>
    </message>
    <message>
        <source>4-wire</source>
        <translation>4-Leiter</translation>
    </message>
</context>
<context>
    <name>vorenx::InstrumentStation</name>
    <message>
        <source>Another calibration run is still in progress.</source>
        <translation>Ein anderer Kalibrierdurchlauf läuft noch.</translation>
    </message>
</context>
<context>
    <name>vorenx::NewWindow</name>
    <message>
        <source>Cannot start another window (%1): %2</source>
        <translation>Ein weiteres Fenster kann nicht gestartet werden (%1): %2</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>pellomarin::Application</name>
    <message>
        <source>The simulation waits for its start.</source>
        <translation>Die Simulation wartet auf ihren Start.</translation>
    </message>
    <message>
        <source>The simulation is running.</source>
        <translation>Die Simulation läuft.</translation>
    </message>
    <message>
        <source>The simulation is suspended.</source>
        <translation>Die Simulation ist angehalten.</translation>
    </message>
    <message>
        <source>Open Start</source>
        <translation>Start öffnen</translation>
    </message>
    <message>
        <source>Starts (*%1)</source>
        <translation>Starts (*%1)</translation>
    </message>
    <message>
        <source>This start cannot be opened.</source>
        <translation>Dieser Start lässt sich nicht öffnen.</translation>
    </message>
</context>
<context>
    <name>pellomarin::MainWindow</name>
    <message>
        <source>Restart</source>
        <translation>Neustart</translation>
    </message>
    <message>
        <source>New Simulation</source>
        <translation>Neue Simulation</translation>
    </message>
    <message>
        <source>Suspend/Resume</source>
        <translation>Anhalten/Fortsetzen</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen…</translation>
    </message>
    <message>
        <source>Copy Start</source>
        <translation>Start kopieren</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Trails</source>
        <translation>Spuren</translation>
    </message>
    <message>
        <source>Conservation</source>
        <translation>Erhaltungsgrößen</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Turn Left</source>
        <translation>Nach links drehen</translation>
    </message>
    <message>
        <source>Turn Right</source>
        <translation>Nach rechts drehen</translation>
    </message>
    <message>
        <source>Tilt Up</source>
        <translation>Nach oben kippen</translation>
    </message>
    <message>
        <source>Tilt Down</source>
        <translation>Nach unten kippen</translation>
    </message>
    <message>
        <source>Reset View</source>
        <translation>Ansicht zurücksetzen</translation>
    </message>
    <message>
        <source>Keep All in View</source>
        <translation>Alle im Blick behalten</translation>
    </message>
    <message>
        <source>Open Start…</source>
        <translation>Start öffnen…</translation>
    </message>
    <message>
        <source>Paste Start</source>
        <translation>Start einfügen</translation>
    </message>
    <message>
        <source>Starts</source>
        <translation>Starts</translation>
    </message>
</context>
<context>
    <name>pellomarin::SettingsWindow</name>
    <message>
        <source>red</source>
        <translation>rot</translation>
    </message>
    <message>
        <source>green</source>
        <translation>grün</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>gelb</translation>
    </message>
    <message>
        <source>Takes effect at the start after the next New Simulation</source>
        <translation>Gilt ab dem Start nach der nächsten neuen Simulation</translation>
    </message>
    <message>
        <source>Calculation period in milliseconds</source>
        <translation>Rechenperiode in Millisekunden</translation>
    </message>
    <message>
        <source>How often the balls are moved. %1</source>
        <translation>Wie oft die Kugeln bewegt werden. %1</translation>
    </message>
    <message>
        <source>Gravitational constant</source>
        <translation>Gravitationskonstante</translation>
    </message>
    <message>
        <source>How strongly the balls attract each other. %1</source>
        <translation>Wie stark sich die Kugeln gegenseitig anziehen. %1</translation>
    </message>
    <message>
        <source>Mass of ball %1 (%2)</source>
        <translation>Masse von Kugel %1 (%2)</translation>
    </message>
    <message>
        <source>Takes effect at the next New Simulation</source>
        <translation>Gilt ab der nächsten neuen Simulation</translation>
    </message>
    <message>
        <source>Pellomarin Settings</source>
        <translation>Pellomarin-Einstellungen</translation>
    </message>
    <message>
        <source>Calculation Period</source>
        <translation>Rechenperiode</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Gravitational Constant</source>
        <translation>Gravitationskonstante</translation>
    </message>
    <message>
        <source>Masses</source>
        <translation>Massen</translation>
    </message>
    <message>
        <source>Integration method</source>
        <translation>Integrationsverfahren</translation>
    </message>
    <message>
        <source>How the balls are moved from one calculation to the next. %1</source>
        <translation>Wie die Kugeln von einem Rechenschritt zum nächsten bewegt werden. %1</translation>
    </message>
    <message>
        <source>Force law</source>
        <translation>Kraftgesetz</translation>
    </message>
    <message>
        <source>How the pull between two balls depends on their distance. %1</source>
        <translation>Wie die Anziehung zweier Kugeln von ihrem Abstand abhängt. %1</translation>
    </message>
    <message>
        <source>Euler (the original)</source>
        <translation>Euler (das ursprüngliche)</translation>
    </message>
    <message>
        <source>Leapfrog</source>
        <translation>Leapfrog</translation>
    </message>
    <message>
        <source>Accurate</source>
        <translation>Genau</translation>
    </message>
    <message>
        <source>Inverse distance (the original)</source>
        <translation>Umgekehrt proportional zum Abstand (das ursprüngliche)</translation>
    </message>
    <message>
        <source>Newton</source>
        <translation>Newton</translation>
    </message>
    <message>
        <source>Integration Method</source>
        <translation>Integrationsverfahren</translation>
    </message>
    <message>
        <source>Force Law</source>
        <translation>Kraftgesetz</translation>
    </message>
</context>
<context>
    <name>pellomarin::SimulationView</name>
    <message>
        <source>Simulation</source>
        <translation>Simulation</translation>
    </message>
    <message>
        <source>The red, green and yellow balls in perspective, moving under their mutual gravitation</source>
        <translation>Die rote, die grüne und die gelbe Kugel in Perspektive, bewegt von ihrer gegenseitigen Gravitation</translation>
    </message>
</context>
<context>
    <name>pellomarin::StatusBar</name>
    <message>
        <source>red</source>
        <translation>rot</translation>
    </message>
    <message>
        <source>green</source>
        <translation>grün</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>gelb</translation>
    </message>
    <message>
        <source>ball %1 (%2)</source>
        <translation>Kugel %1 (%2)</translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>Geschw.:</translation>
    </message>
    <message>
        <source> Acc:</source>
        <translation> Beschl.:</translation>
    </message>
    <message>
        <source> Dist:</source>
        <translation> Abst.:</translation>
    </message>
    <message>
        <source>Min. Dist.: %1</source>
        <translation>Min. Abst.: %1</translation>
    </message>
    <message>
        <source>Status bar</source>
        <translation>Statusleiste</translation>
    </message>
    <message>
        <source>Speed of %1</source>
        <translation>Geschwindigkeit von %1</translation>
    </message>
    <message>
        <source>How fast the ball moves</source>
        <translation>Wie schnell sich die Kugel bewegt</translation>
    </message>
    <message>
        <source>Acceleration of %1</source>
        <translation>Beschleunigung von %1</translation>
    </message>
    <message>
        <source>How strongly the others pulled the ball in the latest step</source>
        <translation>Wie stark die anderen Kugeln sie im letzten Rechenschritt angezogen haben</translation>
    </message>
    <message>
        <source>Distance of %1 from the centre</source>
        <translation>Abstand von %1 zum Mittelpunkt</translation>
    </message>
    <message>
        <source>How far the ball is from the centre</source>
        <translation>Wie weit die Kugel vom Mittelpunkt entfernt ist</translation>
    </message>
    <message>
        <source>The distance between the centres of the two balls</source>
        <translation>Der Abstand zwischen den Mittelpunkten der beiden Kugeln</translation>
    </message>
    <message>
        <source>Distance between %1 and %2</source>
        <translation>Abstand zwischen %1 und %2</translation>
    </message>
    <message>
        <source>Smallest distance</source>
        <translation>Kleinster Abstand</translation>
    </message>
    <message>
        <source>The smallest distance between two balls since the last New Simulation</source>
        <translation>Der kleinste Abstand zweier Kugeln seit der letzten neuen Simulation</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source> Energy:</source>
        <translation> Energie:</translation>
    </message>
    <message>
        <source> ΔE/E:</source>
        <translation> ΔE/E:</translation>
    </message>
    <message>
        <source> ΔL/L:</source>
        <translation> ΔL/L:</translation>
    </message>
    <message>
        <source>Energy</source>
        <translation>Energie</translation>
    </message>
    <message>
        <source>The balls&apos; total energy under the force law in use</source>
        <translation>Die Gesamtenergie der Kugeln unter dem gewählten Kraftgesetz</translation>
    </message>
    <message>
        <source>Change of the energy</source>
        <translation>Änderung der Energie</translation>
    </message>
    <message>
        <source>How much the energy has changed since the start, relative to its value then</source>
        <translation>Wie stark sich die Energie seit dem Start geändert hat, relativ zu ihrem Wert beim Start</translation>
    </message>
    <message>
        <source>Change of the angular momentum</source>
        <translation>Änderung des Drehimpulses</translation>
    </message>
    <message>
        <source>How much the length of the angular momentum has changed since the start, relative to its length then</source>
        <translation>Wie stark sich der Betrag des Drehimpulses seit dem Start geändert hat, relativ zu seinem Betrag beim Start</translation>
    </message>
</context>
</TS>

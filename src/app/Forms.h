#pragma once

#include <QPointer>

class TMain;
class TConfigure;
class TPass;
class TPathSelect;
class TConnects;
class TPUListBox;
class TAbout;
class TTolvexUpdate;
class TUpDateTavr1;
class TUpDateVren1;
class TUpDateHD;

// The program's single instances of its start-up forms, created in a fixed
// order by CreateForms and freed in reverse by DestroyForms.
extern QPointer<TMain> Main;
extern QPointer<TConfigure> Configure;
extern QPointer<TPass> Pass;
extern QPointer<TPathSelect> PathSelect;
extern QPointer<TConnects> Connects;
extern QPointer<TPUListBox> PUListBox;
extern QPointer<TAbout> About;
extern QPointer<TTolvexUpdate> TolvexUpdate;
extern QPointer<TUpDateHD> UpDateHD;
extern QPointer<TUpDateVren1> UpDateVren1;
extern QPointer<TUpDateTavr1> UpDateTavr1;

// Creates the forms in their start-up order. Creating the Connections window
// loads the eight connections, which may open links at once.
void CreateForms();
// Frees the forms in reverse order; freeing the Connections window ends the
// eight connections and the event log.
void DestroyForms();
// Installs the frame hooks that open the firmware update dialogs.
void InstallUpdateHooks();

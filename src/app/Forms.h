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

// Creates the forms in their start-up order. Creating the Connections window
// loads the eight connections, which may open links at once.
void CreateForms();
// Frees the forms in reverse order; freeing the Connections window ends the
// eight connections and the event log.
void DestroyForms();

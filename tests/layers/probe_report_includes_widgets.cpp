// Must not compile: the report draws without widgets.
#include <QWidget>

// Precompiled for the widget library, the program and the widget tests: the
// Qt modules and QCustomPlot, which are most of every widget file's compile
// time. Sources still include what they use; this only makes it cheap.
#include <QtCore/QtCore>
#include <QtGui/QtGui>
#include <QtNetwork/QtNetwork>
#include <QtPrintSupport/QtPrintSupport>
#include <QtSerialPort/QtSerialPort>
#include <QtWidgets/QtWidgets>
#include <qcustomplot.h>

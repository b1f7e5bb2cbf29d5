// Precompiled for the widget tests: the widget set plus Qt Test.
#include "gui.h"
#include <QtTest/QtTest>

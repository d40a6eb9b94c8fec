#pragma once

#include <QByteArray>

// The pupils' page: HTML, style and script in one file, built into the program.
QByteArray ClassPageHtml();

#include "settings/Fsettei.h"

#include "app/Poruka.h"

Fsettei::Fsettei(Poruka& main, QWidget* parent)
    : QWidget(parent)
    , m_main(main)
{
    setWindowTitle(QStringLiteral("温度計と気圧計の設定"));
}

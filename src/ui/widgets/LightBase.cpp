#include "widgets/LightBase.h"

#include <QPalette>
#include <QWidget>

void UseLightBase(QWidget& list) {
  QPalette palette = list.palette();
  for (const QPalette::ColorGroup eGroup :
       {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(eGroup, QPalette::Base, Qt::white);
    palette.setColor(eGroup, QPalette::AlternateBase, Qt::white);
    palette.setColor(eGroup, QPalette::Text, Qt::black);
  }
  // Roles set on the widget stay when the desktop's palette changes later.
  list.setPalette(palette);
}

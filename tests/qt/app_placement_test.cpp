// Where document windows go: the pure geometry of new windows, cascades, tiles and icons.
#include <gtest/gtest.h>

#include <random>

#include "app/WindowPlacement.h"

TEST(WindowPlacement, NewWindowsStepDownTheCascadeAndStartOverWhenItIsFull) {
  const QRect area(0, 0, 1000, 800);
  // (1000 - 200) / 30 = 26 across, (800 - 150) / 30 = 21 down: 22 positions.
  EXPECT_EQ(CascadeSlots(area, 30), 22);
  EXPECT_EQ(NewWindowPlace(area, 30, 0), QRect(QPoint(0, 0), kDocumentSize));
  EXPECT_EQ(NewWindowPlace(area, 30, 2), QRect(QPoint(60, 60), kDocumentSize));
  EXPECT_EQ(NewWindowPlace(area, 30, 22).topLeft(), QPoint(0, 0));
  // Near the end of the cascade the design size is cut to what is left of the area.
  EXPECT_EQ(NewWindowPlace(area, 30, 21), QRect(630, 630, 370, 170));
  // An area smaller than the least window has one position, and a window no larger.
  const QRect small(0, 0, 150, 100);
  EXPECT_EQ(CascadeSlots(small, 30), 1);
  EXPECT_EQ(NewWindowPlace(small, 30, 5), QRect(0, 0, 150, 100));
  EXPECT_EQ(CascadeSlots(area, 0), 1);
}

TEST(WindowPlacement, CascadesKeepEveryTitleBarVisibleAndTheLastWindowInside) {
  const QRect area(0, 0, 640, 480);
  const QList<QRect> three = CascadePlaces(area, 25, 3);
  ASSERT_EQ(three.size(), 3);
  EXPECT_EQ(three[0], QRect(0, 0, 590, 430));
  EXPECT_EQ(three[2], QRect(50, 50, 590, 430));
  EXPECT_TRUE(CascadePlaces(area, 25, 0).isEmpty());

  // Any area, step and count: equal sizes, each a step on or back at the start, and
  // every window inside the area.
  std::mt19937 random(23);
  for (int run = 0; run < 500; ++run) {
    const QRect r(0, 0, 100 + static_cast<int>(random() % 1900),
                  80 + static_cast<int>(random() % 1000));
    const int step = 1 + static_cast<int>(random() % 40);
    const int count = 1 + static_cast<int>(random() % 60);
    const QList<QRect> places = CascadePlaces(r, step, count);
    ASSERT_EQ(places.size(), count);
    for (int i = 0; i < count; ++i) {
      EXPECT_EQ(places[i].size(), places[0].size());
      if (i > 0) {
        const QPoint moved = places[i].topLeft() - places[i - 1].topLeft();
        EXPECT_TRUE(moved == QPoint(step, step) || places[i].topLeft() == QPoint(0, 0));
      }
      EXPECT_TRUE(r.contains(places[i])) << r.width() << "x" << r.height() << " " << i;
    }
  }
}

TEST(WindowPlacement, TilesCutTheAreaIntoStripsWithoutGapsOrOverlaps) {
  const QList<QRect> side = TilePlaces(QRect(0, 0, 100, 50), 3, true);
  EXPECT_EQ(side, QList<QRect>({QRect(0, 0, 33, 50), QRect(33, 0, 33, 50), QRect(66, 0, 34, 50)}));
  const QList<QRect> above = TilePlaces(QRect(0, 0, 100, 50), 2, false);
  EXPECT_EQ(above, QList<QRect>({QRect(0, 0, 100, 25), QRect(0, 25, 100, 25)}));
  EXPECT_TRUE(TilePlaces(QRect(0, 0, 100, 50), 0, true).isEmpty());
  for (int count = 1; count < 40; ++count) {
    const QList<QRect> strips = TilePlaces(QRect(0, 0, 997, 613), count, count % 2 == 0);
    int next = 0;
    for (const QRect& strip : strips) {
      EXPECT_EQ(count % 2 == 0 ? strip.left() : strip.top(), next);
      next = count % 2 == 0 ? strip.right() + 1 : strip.bottom() + 1;
    }
    EXPECT_EQ(next, count % 2 == 0 ? 997 : 613);
  }
}

TEST(WindowPlacement, IconsFillRowsFromTheBottomLeftUpwards) {
  const QSize icon(160, 30);
  const QList<QPoint> places = IconPlaces(400, 300, {icon, icon, icon, QSize(100, 30)});
  EXPECT_EQ(places,
            QList<QPoint>({QPoint(0, 270), QPoint(160, 270), QPoint(0, 240), QPoint(160, 240)}));
  // An icon wider than the area still gets a row of its own.
  EXPECT_EQ(IconPlaces(100, 300, {icon, icon}), QList<QPoint>({QPoint(0, 270), QPoint(0, 240)}));
}

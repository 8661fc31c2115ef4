// The splash window: its form and its navy-to-teal gradient.
#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include "manager/shell/splash.h"

namespace {

QImage Gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    TSplash::Graduate(p, image.size(), QColor(0, 0, 128), QColor(0, 128, 128));
    return image;
}

// Rows of the splash's 318 x 208 client area. Band i covers the rows from i * 208 / 256 to
// (i + 1) * 208 / 256, both rounded to the nearest row (some bands are empty); its green is
// i * 128 / 255 rounded.
TEST(SplashTest, GradientBandsOfTheSplashArea)
{
    const QImage image = Gradient(318, 208);
    const struct {
        int y;
        int green;
    } rows[] = {
        {0, 0},    // band 0, navy
        {1, 1},    // band 1
        {2, 2},    // band 2 is empty: band 3
        {6, 4},    // band 7
        {7, 5},    // band 8 is empty (6.5 rounds up to 7): band 9
        {100, 62}, // band 123
        {104, 64}, // band 128
        {207, 128} // band 255, teal
    };
    for (const auto& row : rows) {
        for (const int x : {0, 159, 317}) {
            const QColor c = image.pixelColor(x, row.y);
            EXPECT_EQ(c.red(), 0) << "row " << row.y;
            EXPECT_EQ(c.green(), row.green) << "row " << row.y << " x " << x;
            EXPECT_EQ(c.blue(), 128) << "row " << row.y;
        }
    }
}

// With one row per band, every step of the green channel shows.
TEST(SplashTest, GradientOnA256RowArea)
{
    const QImage image = Gradient(4, 256);
    const struct {
        int y;
        int green;
    } rows[] = {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {127, 64}, {128, 64}, {254, 127}, {255, 128}};
    for (const auto& row : rows)
        EXPECT_EQ(image.pixelColor(2, row.y).green(), row.green) << "row " << row.y;
}

TEST(SplashTest, TheFormAsLaidOut)
{
    TSplash splash;
    EXPECT_EQ(splash.size(), QSize(318, 208));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.Image1->geometry(), QRect(24, 16, 97, 121));
    EXPECT_TRUE(splash.Image1->hasScaledContents());
    EXPECT_FALSE(splash.Image1->pixmap().isNull());
    EXPECT_EQ(splash.Label1->text(), QStringLiteral("Velmora"));
    EXPECT_EQ(splash.Label1->pos(), QPoint(144, 48));
    EXPECT_EQ(splash.Label1->font().family(), QStringLiteral("Arial"));
    EXPECT_TRUE(splash.Label1->font().bold());
    EXPECT_EQ(splash.Label2->text(), QStringLiteral("Version 1.0"));
    EXPECT_EQ(splash.Label2->pos(), QPoint(144, 96));
    EXPECT_EQ(splash.Label3->pos(), QPoint(32, 168));
    EXPECT_FALSE(splash.Label3->text().isEmpty());
}

// The window paints the gradient over its whole client area.
TEST(SplashTest, PaintsTheGradient)
{
    TSplash splash;
    const QImage shot = splash.grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(0, 3, 128));        // band 6
    EXPECT_EQ(shot.pixelColor(300, 207), QColor(0, 128, 128));  // band 255, right of the labels
}

}  // namespace

#include "ui/pictures.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace vox {
namespace {

// The icon drawn with room all round: whatever lands outside its square would be cut off in the
// real icon.
TEST(AppIcon, IsDrawnWhollyInsideItsSquare) {
    for (const int size : {16, 22, 32, 48, 64}) {
        const int margin = size;
        QImage image(size + 2 * margin, size + 2 * margin, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.translate(margin, margin);
        paintAppIcon(painter, size);
        painter.end();

        const QRect square(margin, margin, size, size);
        int outside = 0, red = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.alpha() == 0)
                    continue;
                if (!square.contains(x, y))
                    ++outside;
                else if (c.red() > 150 && c.green() < 80 && c.blue() < 80)
                    ++red;
            }
        EXPECT_EQ(outside, 0) << size << " px";
        EXPECT_GT(red, size / 4) << "the radio waves are drawn at " << size << " px";
    }
}

}  // namespace
}  // namespace vox

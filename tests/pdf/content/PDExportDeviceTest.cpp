#include <gtest/gtest.h>

#include "pdf/content/PDExportDevice.h"
#include "pdf/content/PDState.h"
#include "support/RecordingDevice.h"

namespace {

// Records the order in which the base UpdateAllState fans out.
class OrderDevice : public TvlPDExportDevice {
public:
  std::string Seen;
  void UpdateFillColorSpace(const TvlPDState&) override { Seen += "fs "; }
  void UpdateFillColor(const TvlPDState&) override { Seen += "fc "; }
  void UpdateStrokeColorSpace(const TvlPDState&) override { Seen += "ss "; }
  void UpdateStrokeColor(const TvlPDState&) override { Seen += "sc "; }
  void UpdateLineWidth(const TvlPDState&) override { Seen += "lw "; }
  void UpdateStrokeAlpha(const TvlPDState&) override { Seen += "sa "; }
};

TEST(PDExportDevice, BaseBehaviour) {
  TvlPDExportDevice base;
  EXPECT_TRUE(base.AcceptPage(nullptr, 0, 72, 72, false, false, -1, -1, -1, -1));
  EXPECT_EQ(base.DefaultCTM, nullptr);
  base.SetPageTransform({2, 0, 0, 4, 10, 20});
  double x, y;
  base.DeviceToUser(x, y, 12, 24);
  EXPECT_DOUBLE_EQ(x, 1);
  EXPECT_DOUBLE_EQ(y, 1);
  base.UserToDevice(x, y, 1, 1);
  EXPECT_DOUBLE_EQ(x, 12.5);
  EXPECT_DOUBLE_EQ(y, 24.5);
  // Rotated transforms invert too.
  base.SetPageTransform({0, -1, 1, 0, 0, 612});
  base.DeviceToUser(x, y, 100, 500);
  EXPECT_DOUBLE_EQ(x, 112);
  EXPECT_DOUBLE_EQ(y, 100);

  OrderDevice order;
  TvlPDState s(0, 72, 72, nullptr);
  order.UpdateAllState(s);
  EXPECT_EQ(order.Seen, "lw fs fc ss sc sa ");
}

}  // namespace

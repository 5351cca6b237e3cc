// The firmware sender against the virtual mouse (which checks every block
// with its own CRC code) and against an update interface that refuses.
#include <gtest/gtest.h>

#include <deque>
#include <mutex>

#include "sim/InProcessBackend.h"
#include "sim/VirtualMouseHub.h"
#include "transport/HidDeviceManager.h"
#include "update/FirmwareSender.h"

namespace korvex {
namespace {

std::vector<std::uint8_t> Image(std::size_t n) {
  std::vector<std::uint8_t> image(n);
  for (std::size_t i = 0; i < n; ++i) image[i] = static_cast<std::uint8_t>(i * 7 + 1);
  return image;
}

class SenderRig {
 public:
  explicit SenderRig(const std::string& devices)
      : hub_(std::make_shared<sim::VirtualMouseHub>(devices)), hid_(std::make_unique<sim::InProcessBackend>(hub_)) {
    hub_->SetTraceSink([this](const sim::TraceRecord& r) {
      std::lock_guard<std::mutex> lock(mutex_);
      if (r.out && r.interfaceNumber == 3) written_.push_back(r.bytes);
    });
  }
  ~SenderRig() { hub_->SetTraceSink(nullptr); }
  std::vector<std::vector<std::uint8_t>> Written() {
    std::lock_guard<std::mutex> lock(mutex_);
    return written_;
  }
  sim::UpdateStatus Update(const std::string& device) {
    sim::DeviceSnapshot s;
    EXPECT_TRUE(hub_->Snapshot(device, s));
    return s.update;
  }
  sim::VirtualMouseHub& Hub() { return *hub_; }
  HidDeviceManager& Hid() { return hid_; }

 private:
  std::shared_ptr<sim::VirtualMouseHub> hub_;
  HidDeviceManager hid_;
  std::mutex mutex_;
  std::vector<std::vector<std::uint8_t>> written_;
};

// Payload lengths of the data reports written, the start and end left out.
std::vector<int> DataLengths(const std::vector<std::vector<std::uint8_t>>& reports) {
  std::vector<int> out;
  for (std::size_t i = 1; i + 1 < reports.size(); ++i) out.push_back(reports[i][2]);
  return out;
}

TEST(FirmwareSenderTest, ImagesAtTheReportBoundariesInstallOnTheMouse) {
  struct Case {
    std::size_t size;
    std::vector<int> lengths;
  };
  for (const Case& c : {Case{48, {60}}, Case{49, {60, 20}}, Case{100, {60, 60, 20}}, Case{80, {60, 40}}}) {
    SenderRig rig("k1");
    ASSERT_TRUE(rig.Hid().OpenUpdateInterface(0x1209, 0x0001));
    FirmwareSender sender(rig.Hid());
    const auto image = Image(c.size);
    std::vector<int> percents;
    EXPECT_EQ(FirmwareOutcome::kInstalled,
              sender.Transfer(image.data(), image.size(), [&](int text, int p) {
                EXPECT_EQ(592, text);
                percents.push_back(p);
              }))
        << c.size;
    const auto written = rig.Written();
    ASSERT_GE(written.size(), 2u);
    EXPECT_EQ(2, written.front()[2]);  // start
    EXPECT_EQ(6, written.back()[2]);   // end
    EXPECT_EQ(c.lengths, DataLengths(written)) << c.size;
    EXPECT_EQ(static_cast<int>(c.lengths.size()), sender.ReportsSent());
    // The mouse checked every block number and CRC (padding included).
    const sim::UpdateStatus status = rig.Update("k1");
    EXPECT_EQ(sim::UpdateStatus::Phase::Installed, status.phase) << c.size;
    EXPECT_EQ(static_cast<int>((c.size + 15) / 16), status.blocks);
    // One step per full report, ending at 100; the short last report adds none.
    ASSERT_EQ(c.size / 48, percents.size());
    EXPECT_EQ(100, percents.back());
  }
}

TEST(FirmwareSenderTest, AWrittenReportTheMouseRefusesIsNotAnInstall) {
  // A receiver whose mouse is away takes every write and answers each one
  // with a refusal: the writes alone would look like a clean transfer.
  SenderRig rig("k3-receiver");
  ASSERT_TRUE(rig.Hub().MouseOff("k3-receiver"));
  ASSERT_TRUE(rig.Hid().OpenUpdateInterface(0x1209, 0x0003));
  FirmwareSender sender(rig.Hid());
  const auto image = Image(4800);
  EXPECT_EQ(FirmwareOutcome::kStartRefused, sender.Transfer(image.data(), image.size()));
  EXPECT_LE(rig.Written().size(), 3u);  // no data went out after the refusal
  EXPECT_EQ(0, sender.ReportsSent());
}

TEST(FirmwareSenderTest, WithoutTheUpdateInterfaceNothingIsSent) {
  SenderRig rig("k1");
  FirmwareSender sender(rig.Hid());
  const auto image = Image(96);
  EXPECT_EQ(FirmwareOutcome::kNoInterface, sender.Transfer(image.data(), image.size()));
  EXPECT_FALSE(sender.SendReport(FirmwareReport::Start()));
  EXPECT_TRUE(rig.Written().empty());
  std::vector<std::uint8_t> tooLarge(16 * 0x10000 + 1);
  EXPECT_EQ(FirmwareOutcome::kImageTooLarge, sender.Transfer(tooLarge.data(), tooLarge.size()));
}

// An update interface of a test's making: it answers report k with the
// result the test chose, or not at all, and may fail writes.
class ScriptedUpdateDevice : public HidDevice {
 public:
  struct Script {
    int refuseFrom = -1;   // reports from this one on are answered with a refusal
    bool answer = true;    // answer at all
    int failWrites = 0;    // the first writes fail
    std::vector<std::vector<std::uint8_t>> written;
  };
  explicit ScriptedUpdateDevice(std::shared_ptr<Script> s) : s_(std::move(s)) {}
  int Write(const std::uint8_t* data, std::size_t length) override {
    const int k = static_cast<int>(s_->written.size());
    s_->written.emplace_back(data, data + length);
    if (s_->answer) {
      std::vector<std::uint8_t> a(64, 0);
      a[0] = 5;
      a[1] = (s_->refuseFrom >= 0 && k >= s_->refuseFrom) ? 1 : 0;
      a[2] = data[4] == 0x01 && data[2] == 2 ? 1 : (data[2] == 6 ? 2 : 3);
      answers_.push_back(a);
    }
    if (s_->failWrites > 0) {
      --s_->failWrites;
      return -1;
    }
    return static_cast<int>(length);
  }
  int Read(std::uint8_t* buffer, std::size_t length, int) override {
    if (answers_.empty()) return 0;
    const auto a = answers_.front();
    answers_.pop_front();
    std::copy(a.begin(), a.begin() + std::min(length, a.size()), buffer);
    return static_cast<int>(std::min(length, a.size()));
  }
  std::string ProductString() override { return {}; }

 private:
  std::shared_ptr<Script> s_;
  std::deque<std::vector<std::uint8_t>> answers_;
};

class ScriptedBackend : public HidBackend {
 public:
  explicit ScriptedBackend(std::shared_ptr<ScriptedUpdateDevice::Script> s) : s_(std::move(s)) {}
  std::vector<HidInterfaceInfo> Enumerate() override {
    HidInterfaceInfo info;
    info.path = "scripted:3";
    info.vendorId = 0x1209;
    info.productId = 0x0001;
    info.usagePage = 0xFFEF;
    return {info};
  }
  std::unique_ptr<HidDevice> Open(const std::string&) override { return std::make_unique<ScriptedUpdateDevice>(s_); }
  bool SetEventSink(EventSink) override { return false; }

 private:
  std::shared_ptr<ScriptedUpdateDevice::Script> s_;
};

FirmwareOutcome RunScripted(const std::shared_ptr<ScriptedUpdateDevice::Script>& script, std::size_t size,
                            int* reports = nullptr) {
  HidDeviceManager hid(std::make_unique<ScriptedBackend>(script));
  EXPECT_TRUE(hid.OpenUpdateInterface(0x1209, 0x0001));
  FirmwareSender sender(hid, [](int) {});
  const auto image = Image(size);
  const FirmwareOutcome outcome = sender.Transfer(image.data(), image.size());
  if (reports) *reports = sender.ReportsSent();
  return outcome;
}

TEST(FirmwareSenderTest, ARefusalMidwayStopsTheDataAndNoEndReportCommitsIt) {
  auto script = std::make_shared<ScriptedUpdateDevice::Script>();
  script->refuseFrom = 4;  // start, data 0..2 taken; data 3 refused
  int reports = 0;
  EXPECT_EQ(FirmwareOutcome::kDataRefused, RunScripted(script, 48 * 10, &reports));
  EXPECT_EQ(4, reports);
  ASSERT_EQ(5u, script->written.size());  // start and four data reports
  EXPECT_EQ(60, script->written.back()[2]);
}

TEST(FirmwareSenderTest, RefusedEndAndSilentOrRetriedInterfaces) {
  auto refusedEnd = std::make_shared<ScriptedUpdateDevice::Script>();
  refusedEnd->refuseFrom = 3;  // start and both data reports taken, the end refused
  EXPECT_EQ(FirmwareOutcome::kEndRefused, RunScripted(refusedEnd, 96));

  // An interface that never answers has taken whatever was written.
  auto silent = std::make_shared<ScriptedUpdateDevice::Script>();
  silent->answer = false;
  EXPECT_EQ(FirmwareOutcome::kInstalled, RunScripted(silent, 96));

  // A failed write is sent again and counts when the interface answers.
  auto retried = std::make_shared<ScriptedUpdateDevice::Script>();
  retried->failWrites = 1;
  EXPECT_EQ(FirmwareOutcome::kInstalled, RunScripted(retried, 96));
  EXPECT_EQ(retried->written[0], retried->written[1]);  // the start report twice

  // A failed write without an answer is a refusal.
  auto dead = std::make_shared<ScriptedUpdateDevice::Script>();
  dead->failWrites = 100;
  dead->answer = false;
  EXPECT_EQ(FirmwareOutcome::kStartRefused, RunScripted(dead, 96));
}

}  // namespace
}  // namespace korvex

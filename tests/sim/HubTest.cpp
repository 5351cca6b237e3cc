#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "HandFrames.h"
#include "sim/InProcessBackend.h"
#include "sim/VirtualMouseHub.h"

namespace korvex::sim {
namespace {

using simtest::Bytes;

// Collects events from a backend's sink and waits for them.
class EventLog {
 public:
  HidBackend::EventSink Sink() {
    return [this](const HidDeviceEvent& e) {
      std::lock_guard<std::mutex> lock(mutex_);
      events_.push_back(e);
      cv_.notify_all();
    };
  }
  std::vector<HidDeviceEvent> WaitFor(std::size_t n, int timeoutMs = 3000) {
    std::unique_lock<std::mutex> lock(mutex_);
    cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return events_.size() >= n; });
    auto out = events_;
    events_.clear();
    return out;
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  std::vector<HidDeviceEvent> events_;
};

class HubTest : public ::testing::Test {
 protected:
  std::shared_ptr<VirtualMouseHub> hub_ = VirtualMouseHub::CreateDefault();
  InProcessBackend backend_{hub_};

  // Writes a frame and returns the first report read after it.
  Bytes Exchange(HidDevice& d, const Bytes& frame, int timeoutMs = 200) {
    // The host pads every frame to the interface's 65-byte output report.
    EXPECT_EQ(d.Write(frame.data(), frame.size()), kOutputReportLength);
    Bytes reply(65, 0);
    const int n = d.Read(reply.data(), reply.size(), timeoutMs);
    reply.resize(n > 0 ? n : 0);
    return reply;
  }
};

TEST_F(HubTest, EnumerationListsEveryInterfaceWithOneConfigurationCollection) {
  const auto list = backend_.Enumerate();
  ASSERT_EQ(list.size(), 20u);
  int config = 0, update = 0;
  for (const auto& i : list) {
    if (i.usagePage == 1 && i.usage == 0) {
      ++config;
      EXPECT_EQ(i.interfaceNumber, 2);
    }
    if (i.usagePage == 0xFFEF) ++update;
  }
  EXPECT_EQ(config, 5);
  EXPECT_EQ(update, 5);
  const auto& first = list[2];
  EXPECT_EQ(first.path, "vmouse:k1:2");
  EXPECT_EQ(first.vendorId, 0x1209);
  EXPECT_EQ(first.productId, 0x0001);
  EXPECT_EQ(first.release, 0x0130);
  EXPECT_EQ(first.product, "Korvex K1");

  VirtualMouseHub subset("k3-receiver,k1");
  EXPECT_EQ(subset.Enumerate().size(), 8u);
  VirtualMouseHub bad("k9");
  EXPECT_FALSE(bad.Error().empty());
  EXPECT_TRUE(bad.Enumerate().empty());
}

TEST_F(HubTest, ExchangeThroughTheBackend) {
  auto dev = backend_.Open("vmouse:k1:2");
  ASSERT_TRUE(dev);
  EXPECT_EQ(dev->ProductString(), "Korvex K1");
  Bytes reply = Exchange(*dev, simtest::Read(0x10));
  ASSERT_EQ(reply.size(), 64u);
  EXPECT_EQ(std::string(reply.begin() + 4, reply.begin() + 8), "K1WD");
  EXPECT_EQ(reply[10], 38);

  // A 33-byte read gets the first 33 bytes of the 64-byte report.
  const Bytes rate = simtest::Write(0x02, 0x01, {0x04}, 65);
  ASSERT_EQ(dev->Write(rate.data(), rate.size()), 65);
  std::uint8_t small[33];
  EXPECT_EQ(dev->Read(small, sizeof small, 200), 33);
  EXPECT_EQ(small[1], 0x00);
  DeviceSnapshot s;
  ASSERT_TRUE(hub_->Snapshot("k1", s));
  EXPECT_EQ(s.slot.reportRate, 4);

  EXPECT_EQ(dev->Read(small, sizeof small, 5), 0);  // nothing more: time-out
  EXPECT_FALSE(backend_.Open("vmouse:k1:7"));
  EXPECT_FALSE(backend_.Open("vmouse:k2:2"));
  EXPECT_FALSE(backend_.Open("/dev/hidraw0"));
  auto pointer = backend_.Open("vmouse:k1:0");
  ASSERT_TRUE(pointer);
  EXPECT_EQ(pointer->Write(rate.data(), rate.size()), -1);
}

TEST_F(HubTest, ReportsTravelInOneMillisecondFrames) {
  std::mutex m;
  std::vector<TraceRecord> trace;
  hub_->SetTraceSink([&](const TraceRecord& r) {
    std::lock_guard<std::mutex> lock(m);
    trace.push_back(r);
  });
  auto dev = backend_.Open("vmouse:k3:2");
  Exchange(*dev, simtest::Read(0x12));
  Exchange(*dev, simtest::Read(0x12));
  hub_->SetReplyDelay(5);
  Exchange(*dev, simtest::Read(0x12));
  hub_->SetReplyDelay(0);
  ASSERT_EQ(trace.size(), 6u);
  EXPECT_TRUE(trace[0].out);
  EXPECT_FALSE(trace[1].out);
  EXPECT_EQ(trace[1].frameMs, trace[0].frameMs + 1);  // answer in the next frame
  EXPECT_GT(trace[2].frameMs, trace[0].frameMs);       // one report per frame
  EXPECT_EQ(trace[5].frameMs, trace[4].frameMs + 6);   // plus the reply delay
  EXPECT_EQ(trace[0].device, "k3");
  EXPECT_EQ(trace[0].interfaceNumber, 2);
  const std::string line = FormatTraceLine(trace[1]);
  EXPECT_NE(line.find(" in k3:2 12 00 00 00 01"), std::string::npos) << line;
}

TEST_F(HubTest, UnplugAndPlugRaiseEventsAndKillOpenHandles) {
  EventLog log;
  ASSERT_TRUE(backend_.SetEventSink(log.Sink()));
  auto dev = backend_.Open("vmouse:k3-receiver:2");
  ASSERT_TRUE(dev);
  Exchange(*dev, simtest::Write(0x02, 0x01, {0x02}));

  ASSERT_TRUE(hub_->Unplug("k3-receiver"));
  auto events = log.WaitFor(4);
  ASSERT_EQ(events.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(events[i].kind, HidDeviceEvent::Kind::Removal);
    EXPECT_EQ(events[i].path, "vmouse:k3-receiver:" + std::to_string(i));
    EXPECT_EQ(events[i].productId, 0x0003);
    EXPECT_EQ(events[i].interfaceNumber, i);
  }
  std::uint8_t buf[64];
  EXPECT_EQ(dev->Read(buf, sizeof buf, 10), -1);
  const Bytes f = simtest::Read(0x10);
  EXPECT_EQ(dev->Write(f.data(), f.size()), -1);
  EXPECT_EQ(backend_.Enumerate().size(), 16u);
  EXPECT_FALSE(backend_.Open("vmouse:k3-receiver:2"));
  EXPECT_TRUE(hub_->Unplug("k3-receiver"));  // already out: no second event

  ASSERT_TRUE(hub_->Plug("1209:0003"));
  events = log.WaitFor(4);
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[2].kind, HidDeviceEvent::Kind::Arrival);
  EXPECT_EQ(events[2].path, "vmouse:k3-receiver:2");
  EXPECT_EQ(dev->Read(buf, sizeof buf, 10), -1);  // the old handle stays dead
  auto again = backend_.Open("vmouse:k3-receiver:2");
  ASSERT_TRUE(again);
  EXPECT_EQ(Exchange(*again, simtest::Read(0x12)).at(4), 0x02);  // flash survived

  EXPECT_FALSE(hub_->Unplug("nothing"));
  backend_.SetEventSink(nullptr);
  hub_->Unplug("k1");
  EXPECT_TRUE(log.WaitFor(1, 100).empty());  // delivery stopped
}

TEST_F(HubTest, MouseOffAndOnBehindTheReceiver) {
  auto dev = backend_.Open("vmouse:k3-receiver:2");
  ASSERT_TRUE(hub_->MouseOff("k3-receiver"));
  std::uint8_t buf[64];
  ASSERT_EQ(dev->Read(buf, sizeof buf, 200), 64);
  EXPECT_EQ(buf[0], 0xC0);
  EXPECT_EQ(buf[1], 0x00);
  Bytes info = Exchange(*dev, simtest::Read(0x10));
  EXPECT_EQ(info.at(1), 0x00);
  EXPECT_EQ(info.at(14), 0x00);
  EXPECT_EQ(Exchange(*dev, simtest::Read(0x13)).at(1), 0x06);
  EXPECT_FALSE(hub_->PressDpiButton("k3-receiver"));
  DeviceSnapshot s;
  hub_->Snapshot("k3-receiver", s);
  EXPECT_FALSE(s.mouseOn);

  ASSERT_TRUE(hub_->SetBattery("k3-receiver", 40, 0));
  ASSERT_TRUE(hub_->MouseOn("k3-receiver"));
  ASSERT_EQ(dev->Read(buf, sizeof buf, 200), 64);
  EXPECT_EQ(buf[0], 0xC0);
  EXPECT_EQ(buf[1], 0x01);
  EXPECT_EQ(buf[2], 40);
  EXPECT_EQ(Exchange(*dev, simtest::Read(0x10)).at(14), 0x01);

  ASSERT_TRUE(hub_->SetBattery("k3-receiver", 35, 1));
  ASSERT_EQ(dev->Read(buf, sizeof buf, 200), 64);
  EXPECT_EQ(buf[2], 35);
  EXPECT_EQ(buf[3], 1);
  EXPECT_FALSE(hub_->SetBattery("k3-receiver", 101, 0));
  EXPECT_FALSE(hub_->MouseOff("k1"));  // a wired mouse cannot be switched away
}

TEST_F(HubTest, DpiButtonInjectionAndSeveralReaders) {
  auto a = backend_.Open("vmouse:k5:2");
  auto b = backend_.Open("vmouse:k5:2");
  ASSERT_TRUE(hub_->PressDpiButton("k5"));
  std::uint8_t buf[64];
  for (auto* d : {a.get(), b.get()}) {
    ASSERT_EQ(d->Read(buf, sizeof buf, 200), 64);
    EXPECT_EQ(buf[0], 0xC2);
    EXPECT_EQ(buf[1], 0x24);  // stage 2 of 4
  }
  DeviceSnapshot s;
  hub_->Snapshot("k5", s);
  EXPECT_EQ(s.slot.stageIndex, 2);

  ASSERT_TRUE(hub_->InjectReport("k5", 2, {0xC0, 0x01, 0x10, 0x02}));
  ASSERT_EQ(a->Read(buf, sizeof buf, 200), 64);
  EXPECT_EQ(buf[2], 0x10);
  EXPECT_FALSE(hub_->InjectReport("k5", 2, Bytes(65, 0)));
  EXPECT_FALSE(hub_->InjectReport("k5", 9, {0xC0}));
}

TEST_F(HubTest, NakAndDropFaults) {
  auto dev = backend_.Open("vmouse:k1:2");
  hub_->Nak(2);
  EXPECT_EQ(Exchange(*dev, simtest::Write(0x02, 0x01, {0x02})).at(1), 0x07);
  EXPECT_EQ(Exchange(*dev, simtest::Write(0x02, 0x01, {0x02})).at(1), 0x07);
  DeviceSnapshot s;
  hub_->Snapshot("k1", s);
  EXPECT_EQ(s.slot.reportRate, 1);  // refused frames are not applied
  EXPECT_EQ(Exchange(*dev, simtest::Write(0x02, 0x01, {0x02})).at(1), 0x00);

  hub_->Drop(1);
  EXPECT_TRUE(Exchange(*dev, simtest::Write(0x02, 0x01, {0x08}), 20).empty());
  hub_->Snapshot("k1", s);
  EXPECT_EQ(s.slot.reportRate, 8);  // applied, only the answer was lost
  EXPECT_EQ(Exchange(*dev, simtest::Read(0x12)).at(4), 0x08);
  EXPECT_NE(hub_->Status().find("nak 0, drop 0"), std::string::npos);
}

TEST_F(HubTest, FlashSavesAndLoads) {
  auto dev = backend_.Open("vmouse:k5:2");
  Exchange(*dev, simtest::Write(0x07, 0x04, {1, 2, 3, 4}));
  ASSERT_TRUE(hub_->SetActiveSlot("k5", 3));
  const std::string flash = hub_->SaveFlash();

  VirtualMouseHub other("k5,k1");
  EXPECT_EQ(other.LoadFlash(flash), 2);
  DeviceSnapshot a, b;
  hub_->Snapshot("k5", a);
  other.Snapshot("k5", b);
  EXPECT_EQ(b.activeSlot, 3);
  hub_->SetActiveSlot("k5", 0);
  other.SetActiveSlot("k5", 0);
  hub_->Snapshot("k5", a);
  other.Snapshot("k5", b);
  EXPECT_EQ(a.slot, b.slot);
  EXPECT_EQ(b.slot.sleepTime, 1);

  VirtualMouseHub damaged("k5");
  std::string broken = flash;
  broken.replace(broken.find("k5 ") + 3, 4, "ZZZZ");
  EXPECT_EQ(damaged.LoadFlash(broken), 0);
  EXPECT_EQ(damaged.LoadFlash("not a flash file\nk5 00"), 0);
}

TEST_F(HubTest, ConcurrentControlsAndExchanges) {
  auto dev = backend_.Open("vmouse:k3-receiver:2");
  std::atomic<bool> stop{false};
  std::thread presser([&] {
    while (!stop) {
      hub_->PressDpiButton("k3-receiver");
      hub_->Status();
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  });
  int acks = 0;
  for (int i = 0; i < 20; ++i) {
    const Bytes f = simtest::Read(0x12);
    ASSERT_EQ(dev->Write(f.data(), f.size()), kOutputReportLength);  // padded
    std::uint8_t buf[64];
    // Unsolicited reports come in between; find the answer to 0x12.
    for (int k = 0; k < 200; ++k) {
      if (dev->Read(buf, sizeof buf, 50) > 0 && buf[0] == 0x12) {
        ++acks;
        break;
      }
    }
  }
  stop = true;
  presser.join();
  EXPECT_EQ(acks, 20);
}

}  // namespace
}  // namespace korvex::sim

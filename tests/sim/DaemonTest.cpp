#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <condition_variable>
#include <fstream>
#include <mutex>
#include <regex>
#include <sstream>

#include "DaemonProcess.h"
#include "HandFrames.h"
#include "sim/FrameStatus.h"
#include "transport/virtual/VirtualHidBackend.h"
#include "transport/virtual/VmouseWire.h"

namespace korvex::simtest {
namespace {

class EventLog {
 public:
  HidBackend::EventSink Sink() {
    return [this](const HidDeviceEvent& e) {
      std::lock_guard<std::mutex> lock(mutex_);
      events_.push_back(e);
      cv_.notify_all();
    };
  }
  std::vector<HidDeviceEvent> WaitFor(std::size_t n) {
    std::unique_lock<std::mutex> lock(mutex_);
    cv_.wait_for(lock, std::chrono::seconds(5), [&] { return events_.size() >= n; });
    auto out = events_;
    events_.clear();
    return out;
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  std::vector<HidDeviceEvent> events_;
};

class DaemonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char dirTemplate[] = "/tmp/vmouse-test-XXXXXX";
    ASSERT_NE(mkdtemp(dirTemplate), nullptr);
    dir_ = dirTemplate;
    socket_ = dir_ + "/sock";
    state_ = dir_ + "/flash";
    trace_ = dir_ + "/trace";
  }
  void TearDown() override {
    daemon_.reset();
    for (const auto& f : {socket_, state_, trace_}) unlink(f.c_str());
    rmdir(dir_.c_str());
  }
  void StartDaemon(const std::string& devices = "") {
    std::vector<std::string> args = {"--state", state_, "--trace", trace_};
    if (!devices.empty()) args.insert(args.end(), {"--devices", devices});
    daemon_ = std::make_unique<Daemon>(socket_, args);
    ASSERT_TRUE(daemon_->Up());
  }
  static Bytes Exchange(HidDevice& d, const Bytes& frame) {
    // The host pads every frame to the interface's 65-byte output report.
    EXPECT_EQ(d.Write(frame.data(), frame.size()), sim::kOutputReportLength);
    Bytes reply(65, 0);
    const int n = d.Read(reply.data(), reply.size(), 1000);
    reply.resize(n > 0 ? n : 0);
    return reply;
  }
  std::string TraceText() {
    std::ifstream in(trace_);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::string dir_, socket_, state_, trace_;
  std::unique_ptr<Daemon> daemon_;
};

TEST_F(DaemonTest, ServesExchangesAndTracesEveryReport) {
  StartDaemon();
  VirtualHidBackend backend(socket_);
  const auto list = backend.Enumerate();
  ASSERT_EQ(list.size(), 20u);
  EXPECT_EQ(list[2].path, "vmouse:k1:2");
  EXPECT_EQ(list[2].usagePage, 1);
  EXPECT_EQ(list[2].usage, 0);

  auto dev = backend.Open("vmouse:k1:2");
  ASSERT_TRUE(dev);
  EXPECT_EQ(dev->ProductString(), "Korvex K1");
  Bytes info = Exchange(*dev, Read(0x10));
  ASSERT_EQ(info.size(), 64u);
  EXPECT_EQ(std::string(info.begin() + 4, info.begin() + 8), "K1WD");
  EXPECT_EQ(Exchange(*dev, Write(0x02, 0x01, {0x04}, 65)).at(1), 0x00);
  EXPECT_EQ(Exchange(*dev, Read(0x12)).at(4), 0x04);
  Bytes bad = Write(0x02, 0x01, {0x08});
  bad[32] = 0;
  EXPECT_EQ(Exchange(*dev, bad).at(1), 0x02);
  EXPECT_FALSE(backend.Open("vmouse:k7:2"));

  ASSERT_EQ(RunControl(socket_, {"delay", "20"}), 0);
  Exchange(*dev, Read(0x12));
  ASSERT_EQ(RunControl(socket_, {"delay", "0"}), 0);
  daemon_->Stop();

  const std::string trace = TraceText();
  const std::regex line(R"(^(\d+) (out|in) ([a-z0-9-]+):(\d)( [0-9A-F]{2})+$)");
  std::istringstream lines(trace);
  std::vector<std::smatch> rows;
  std::vector<std::string> raw;
  for (std::string l; std::getline(lines, l);) raw.push_back(l);
  ASSERT_EQ(raw.size(), 10u) << trace;
  std::vector<long> frames;
  for (const auto& l : raw) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(l, m, line)) << l;
    frames.push_back(std::stol(m[1]));
  }
  EXPECT_EQ(raw[0].substr(raw[0].find(' ') + 1, 18), "out k1:2 00 10 00 ");
  EXPECT_EQ(raw[1].substr(raw[1].find(' ') + 1, 17), "in k1:2 10 00 00 ");
  EXPECT_EQ(frames[1], frames[0] + 1);
  EXPECT_EQ(frames[9], frames[8] + 21);  // the delayed answer
}

TEST_F(DaemonTest, ControlCommandsReachClientsAsEventsAndReports) {
  StartDaemon("k3-receiver,k1");
  VirtualHidBackend backend(socket_);
  EventLog log;
  ASSERT_TRUE(backend.SetEventSink(log.Sink()));
  auto dev = backend.Open("vmouse:k3-receiver:2");
  ASSERT_TRUE(dev);

  std::uint8_t buf[64];
  ASSERT_EQ(RunControl(socket_, {"mouse-off", "k3-receiver"}), 0);
  ASSERT_EQ(dev->Read(buf, sizeof buf, 1000), 64);
  EXPECT_EQ(buf[0], 0xC0);
  EXPECT_EQ(buf[1], 0x00);
  EXPECT_EQ(Exchange(*dev, Read(0x10)).at(14), 0x00);
  ASSERT_EQ(RunControl(socket_, {"battery", "1209:0003", "60", "0"}), 0);
  ASSERT_EQ(RunControl(socket_, {"mouse-on", "k3-receiver"}), 0);
  ASSERT_EQ(dev->Read(buf, sizeof buf, 1000), 64);
  EXPECT_EQ(buf[1], 0x01);
  EXPECT_EQ(buf[2], 60);
  ASSERT_EQ(RunControl(socket_, {"dpi-button", "k3-receiver"}), 0);
  ASSERT_EQ(dev->Read(buf, sizeof buf, 1000), 64);
  EXPECT_EQ(buf[0], 0xC2);
  EXPECT_EQ(buf[1], 0x24);

  ASSERT_EQ(RunControl(socket_, {"nak", "1"}), 0);
  EXPECT_EQ(Exchange(*dev, Read(0x12)).at(1), 0x07);
  ASSERT_EQ(RunControl(socket_, {"drop", "1"}), 0);
  const Bytes f = Read(0x12);
  ASSERT_EQ(dev->Write(f.data(), f.size()), sim::kOutputReportLength);  // padded
  EXPECT_EQ(dev->Read(buf, sizeof buf, 50), 0);
  EXPECT_EQ(Exchange(*dev, Read(0x12)).at(1), 0x00);

  std::string status;
  ASSERT_EQ(RunControl(socket_, {"status"}, &status), 0);
  EXPECT_NE(status.find("k3-receiver 1209:0003 release 112 plugged mouse-on"), std::string::npos)
      << status;
  EXPECT_NE(status.find("battery 60"), std::string::npos);
  EXPECT_NE(status.find("k1 1209:0001"), std::string::npos);
  EXPECT_EQ(RunControl(socket_, {"frobnicate"}), 1);
  EXPECT_EQ(RunControl(socket_, {"plug", "k5"}), 1);  // not in this daemon's roster
  EXPECT_EQ(RunControl(socket_, {"battery", "k1", "x", "0"}), 1);
  EXPECT_EQ(RunControl(dir_ + "/nothing", {"status"}), 2);

  ASSERT_EQ(RunControl(socket_, {"unplug", "k3-receiver"}), 0);
  auto events = log.WaitFor(4);
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[2].kind, HidDeviceEvent::Kind::Removal);
  EXPECT_EQ(events[2].path, "vmouse:k3-receiver:2");
  EXPECT_EQ(events[2].vendorId, 0x1209);
  EXPECT_EQ(events[2].productId, 0x0003);
  EXPECT_EQ(events[2].interfaceNumber, 2);
  EXPECT_EQ(dev->Read(buf, sizeof buf, 1000), -1);
  EXPECT_EQ(backend.Enumerate().size(), 4u);

  ASSERT_EQ(RunControl(socket_, {"plug", "k3-receiver"}), 0);
  events = log.WaitFor(4);
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].kind, HidDeviceEvent::Kind::Arrival);
  EXPECT_TRUE(backend.Open("vmouse:k3-receiver:2"));
}

TEST_F(DaemonTest, AnAnswerStillOnItsWayIsLostWhenTheDeviceIsUnplugged) {
  StartDaemon("k1");
  VirtualHidBackend backend(socket_);
  auto dev = backend.Open("vmouse:k1:2");
  ASSERT_TRUE(dev);
  ASSERT_EQ(RunControl(socket_, {"delay", "400"}), 0);
  const Bytes f = Read(0x10);
  ASSERT_EQ(dev->Write(f.data(), f.size()), sim::kOutputReportLength);  // padded
  ASSERT_EQ(RunControl(socket_, {"unplug", "k1"}), 0);
  std::uint8_t buf[64];
  EXPECT_EQ(dev->Read(buf, sizeof buf, 2000), -1);
}

TEST_F(DaemonTest, FlashPersistsAcrossRestarts) {
  StartDaemon();
  {
    VirtualHidBackend backend(socket_);
    auto dev = backend.Open("vmouse:k5:2");
    ASSERT_TRUE(dev);
    EXPECT_EQ(Exchange(*dev, Write(0x07, 0x04, {7, 0, 0, 2}, 65)).at(1), 0x00);
    EXPECT_EQ(Exchange(*dev, Frame({0, 0x08, 0, 0x01, 0x05}, {0x02, 0x10, 0x05, 0x00, 0x01})).at(1),
              0x00);
  }
  EXPECT_EQ(daemon_->Stop(), 0);
  StartDaemon();
  VirtualHidBackend backend(socket_);
  auto dev = backend.Open("vmouse:k5:2");
  ASSERT_TRUE(dev);
  const Bytes power = Exchange(*dev, Read(0x17));
  EXPECT_EQ(Bytes(power.begin() + 4, power.begin() + 8), (Bytes{7, 0, 0, 2}));
  std::string status;
  RunControl(socket_, {"status", "k5"}, &status);
  EXPECT_NE(status.find("macros: 0 0 1 0"), std::string::npos) << status;
  auto k1 = backend.Open("vmouse:k1:2");
  EXPECT_EQ(Exchange(*k1, Read(0x17)).at(4), 10);  // untouched devices keep the factory values
}

TEST_F(DaemonTest, FirmwareUpdateThroughTheUpdateInterface) {
  StartDaemon("k1");
  VirtualHidBackend backend(socket_);
  auto upd = backend.Open("vmouse:k1:3");
  ASSERT_TRUE(upd);
  Bytes image(1000);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i);
  std::vector<Bytes> reports = {StartReport()};
  for (const auto& r : DataReports(image)) reports.push_back(r);
  reports.push_back(EndReport());
  for (const auto& r : reports) ASSERT_EQ(upd->Write(r.data(), r.size()), 64);
  std::uint8_t buf[64] = {};
  int last = 0;
  while (upd->Read(buf, sizeof buf, 500) > 0) last = buf[2];
  EXPECT_EQ(last, 2);  // the end report's answer came last
  EXPECT_EQ(buf[1], 0x00);
  std::string status;
  RunControl(socket_, {"status", "k1"}, &status);
  EXPECT_NE(status.find("update: installed error ok blocks 63 bytes 1008 installs 1"),
            std::string::npos)
      << status;
  EXPECT_EQ(backend.Enumerate().at(2).release, 0x0131);
}

// Raw clients that break the protocol: each is dropped, the rest served on.
TEST_F(DaemonTest, MalformedClientsAreDroppedWithoutHurtingOthers) {
  StartDaemon("k1");
  VirtualHidBackend good(socket_);
  EventLog log;
  ASSERT_TRUE(good.SetEventSink(log.Sink()));
  auto dev = good.Open("vmouse:k1:2");
  ASSERT_TRUE(dev);

  auto rawSend = [&](const Bytes& bytes, bool expectAnswer) {
    const int fd = vmouse::ConnectUnixSocket(socket_);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(vmouse::SendAll(fd, bytes.data(), bytes.size()));
    if (expectAnswer) {
      // The daemon says why and hangs up: read until end of stream.
      std::uint8_t buf[512];
      std::size_t total = 0;
      for (ssize_t n; (n = recv(fd, buf, sizeof buf, 0)) > 0;) total += static_cast<std::size_t>(n);
      EXPECT_GT(total, 4u);
    }
    close(fd);
  };
  rawSend({0xFF, 0xFF, 0xFF, 0x7F}, true);              // oversized length
  rawSend({0x03, 0x00, 0x00, 0x00, 0x63, 0x00, 0x00}, true);  // unknown type
  vmouse::WireMessage event;
  event.type = vmouse::MessageType::Event;  // a daemon-only message from a client
  std::vector<std::uint8_t> encoded;
  vmouse::EncodeMessage(event, encoded);
  rawSend(encoded, true);
  vmouse::WireMessage control;
  control.type = vmouse::MessageType::Control;
  control.texts = {"unplug", "k1"};
  encoded.clear();
  vmouse::EncodeMessage(control, encoded);
  encoded.resize(encoded.size() / 2);  // gone mid-message
  rawSend(encoded, false);
  rawSend({0x10, 0x00}, false);  // half a length prefix

  EXPECT_EQ(Exchange(*dev, Read(0x10)).at(1), 0x00);
  EXPECT_EQ(good.Enumerate().size(), 4u);  // the half-sent unplug never ran
  ASSERT_EQ(RunControl(socket_, {"unplug", "k1"}), 0);
  EXPECT_EQ(log.WaitFor(4).size(), 4u);
}

// The client side of the socket against a peer that breaks the protocol.
TEST_F(DaemonTest, ClientSurvivesAHostileDaemon) {
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", socket_.c_str());
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ASSERT_EQ(listen(listener, 4), 0);
  std::thread peer([&] {
    for (const Bytes& answer : {Bytes{0xFF, 0xFF, 0xFF, 0xFF}, Bytes{0x02, 0x00, 0x00, 0x00, 0x02, 0x00}}) {
      const int fd = accept(listener, nullptr, nullptr);
      std::uint8_t buf[256];
      recv(fd, buf, sizeof buf, 0);
      vmouse::SendAll(fd, answer.data(), answer.size());
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      close(fd);
    }
  });
  VirtualHidBackend backend(socket_);
  EXPECT_TRUE(backend.Enumerate().empty());  // oversized answer
  EXPECT_FALSE(backend.Open("vmouse:k1:2"));  // malformed answer
  peer.join();
  close(listener);
}

}  // namespace
}  // namespace korvex::simtest

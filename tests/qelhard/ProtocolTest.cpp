// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Framing, CRC, request encodings and the byte-stream frame reader.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "FrameReader.h"
#include "PortMap.h"
#include "Protocol.h"

using namespace qelhard;

namespace {

using Bytes = std::vector<std::uint8_t>;

Reply StatusWithMarker(std::uint16_t sequence, std::uint8_t marker) {
  Reply r{};
  r[2] = 0x10;
  r[13] = marker;
  SealStatusReply(r, sequence);
  return r;
}

void Append(Bytes& out, const Reply& r) { out.insert(out.end(), r.begin(), r.end()); }

std::vector<Reply> Drain(FrameReader& reader) {
  std::vector<Reply> frames;
  Reply f{};
  while (reader.Next(f.data())) frames.push_back(f);
  return frames;
}

}  // namespace

TEST(Crc32, MatchesTheStandardCheckValue) {
  const char text[] = "123456789";
  EXPECT_EQ(Crc32(reinterpret_cast<const std::uint8_t*>(text), 9), 0xCBF43926u);
  EXPECT_EQ(Crc32(nullptr, 0), 0u);
}

TEST(Protocol, TheCrcTravelsLittleEndianAfterTheStatusFrame) {
  const Reply r = StatusWithMarker(3, 0x12);
  const std::uint32_t crc = Crc32(r.data(), kStatusFrameSize);
  EXPECT_EQ(r[24], crc & 0xFF);
  EXPECT_EQ(r[27], crc >> 24);
  EXPECT_EQ(r[kReplySequenceOffset], 3);
  EXPECT_EQ(r[11] | r[12], 0);
  const Reply wide = StatusWithMarker(0xBEEF, 0x12);
  EXPECT_EQ(wide[kReplySequenceOffset], 0xEF);
  EXPECT_EQ(wide[kReplySequenceHighOffset], 0xBE);
  EXPECT_EQ(RequestSequence(BuildIdentify(0xBEEF)), 0xBEEF);
}

TEST(Protocol, EverySingleByteChangeBreaksTheChecksum) {
  const Reply good = StatusWithMarker(9, 0x13);
  ASSERT_TRUE(HeaderMatches(kReplyFormat, good.data()));
  ASSERT_TRUE(ChecksumMatches(kReplyFormat, good.data()));
  for (std::size_t i = 0; i < good.size(); ++i) {
    for (std::uint8_t flip : {0x01, 0x80, 0xFF}) {
      Reply bad = good;
      bad[i] ^= flip;
      EXPECT_FALSE(HeaderMatches(kReplyFormat, bad.data()) && ChecksumMatches(kReplyFormat, bad.data()))
          << "byte " << i << " flip " << int(flip);
    }
  }
}

TEST(Protocol, RequestsCarryCommandSequenceAndArguments) {
  const Request upper = BuildSetUpper(7, 3);
  EXPECT_TRUE(HeaderMatches(kRequestFormat, upper.data()));
  EXPECT_TRUE(ChecksumMatches(kRequestFormat, upper.data()));
  EXPECT_EQ(RequestCommand(upper), Command::SetUpper);
  EXPECT_EQ(RequestSequence(upper), 7);
  EXPECT_EQ(SetUpperFunction(upper), 3);

  for (float value : {0.0f, -0.0f, 1.2345f, -273.15f, 99999.0f, 1e-7f}) {
    const Request lower = BuildSetLower(200, 26, 0x7C, value);
    EXPECT_TRUE(ChecksumMatches(kRequestFormat, lower.data()));
    EXPECT_EQ(RequestCommand(lower), Command::SetLower);
    const SetLowerArgs args = ParseSetLower(lower);
    EXPECT_EQ(args.function, 26);
    EXPECT_EQ(args.mode, 0x7C);
    EXPECT_EQ(std::memcmp(&args.value, &value, sizeof value), 0) << value;  // bit for bit
  }
  // Requests and replies cannot be taken for each other.
  EXPECT_FALSE(HeaderMatches(kReplyFormat, BuildReadStatus(1).data()));
  EXPECT_FALSE(HeaderMatches(kRequestFormat, BuildIdentifyReply(1).data()));
}

TEST(Protocol, RepliesEchoTheSequenceAndIdentifyThemselves) {
  const Reply ident = BuildIdentifyReply(42);
  EXPECT_TRUE(ChecksumMatches(kReplyFormat, ident.data()));
  EXPECT_TRUE(IsIdentifyReply(ident));
  EXPECT_EQ(ReplySequence(ident), 42);
  EXPECT_FALSE(IsIdentifyReply(StatusWithMarker(42, 0)));

  const Reply ack = BuildAck(Command::SetLower, 5, false);
  EXPECT_EQ(ack[1], ReplyKind(Command::SetLower));
  EXPECT_EQ(ack[kAckResultOffset], kAckRefused);
  EXPECT_EQ(ReplySequence(ack), 5);
  EXPECT_TRUE(ChecksumMatches(kReplyFormat, ack.data()));
}

TEST(FrameReader, YieldsFramesWhetherFedWholeOrByteByByte) {
  Bytes stream;
  Append(stream, StatusWithMarker(1, 0xA1));
  Append(stream, StatusWithMarker(2, 0xA2));

  FrameReader whole(kReplyFormat);
  whole.Feed(stream.data(), stream.size());
  auto frames = Drain(whole);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0][13], 0xA1);
  EXPECT_EQ(frames[1][13], 0xA2);
  EXPECT_EQ(whole.Buffered(), 0u);

  FrameReader trickle(kReplyFormat);
  std::vector<Reply> got;
  Reply f{};
  for (std::uint8_t b : stream) {
    trickle.Feed(&b, 1);
    while (trickle.Next(f.data())) got.push_back(f);
  }
  EXPECT_EQ(got, frames);
}

TEST(FrameReader, ResynchronisesAfterGarbageAndBrokenFrames) {
  Bytes stream = {0x00, 0x5A, 0x5A, 0x13, 0xFF, 0x5A};  // noise with false leads
  Reply broken = StatusWithMarker(3, 0xB0);
  broken[23] ^= 0x01;
  Append(stream, broken);
  Append(stream, StatusWithMarker(4, 0xB4));

  FrameReader reader(kReplyFormat);
  reader.Feed(stream.data(), stream.size());
  const auto frames = Drain(reader);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0][13], 0xB4);
  EXPECT_EQ(reader.ChecksumFailures(), 1u);
  EXPECT_GT(reader.SkippedBytes(), broken.size());
}

TEST(FrameReader, KeepsACutFrameUntilTheRestArrives) {
  const Reply frame = StatusWithMarker(5, 0xC5);
  FrameReader reader(kReplyFormat);
  reader.Feed(frame.data(), 13);
  Reply out{};
  EXPECT_FALSE(reader.Next(out.data()));
  EXPECT_TRUE(reader.HoldsPartialFrame());
  reader.Feed(frame.data() + 13, frame.size() - 13);
  ASSERT_TRUE(reader.Next(out.data()));
  EXPECT_EQ(out, frame);
  EXPECT_FALSE(reader.HoldsPartialFrame());
}

TEST(FrameReader, AFullBufferOfNoiseIsDroppedAndTheNextFrameFound) {
  FrameReader reader(kReplyFormat, 256);
  Bytes noise(5000);
  for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<std::uint8_t>(i * 37 + (i % 3 ? 0 : 0x5A));
  reader.Feed(noise.data(), noise.size());
  Reply out{};
  EXPECT_FALSE(reader.Next(out.data()));
  EXPECT_LT(reader.Buffered(), kReplySize);  // only a possible frame start is kept
  const Reply frame = StatusWithMarker(6, 0xD6);
  reader.Feed(frame.data(), frame.size());
  ASSERT_TRUE(reader.Next(out.data()));
  EXPECT_EQ(out, frame);
}

TEST(FrameReader, StaysBoundedWhenFramesAreNotTakenAndKeepsTheNewest) {
  FrameReader reader(kReplyFormat, 4 * kReplySize);
  for (int i = 0; i < 50; ++i) {
    const Reply frame = StatusWithMarker(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i));
    reader.Feed(frame.data(), frame.size());
    EXPECT_LE(reader.Buffered(), 4 * kReplySize);
  }
  const auto frames = Drain(reader);
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(frames.back()[13], 49);
}

TEST(FrameReader, FindsRequestsInTheirOwnFormat) {
  const Request a = BuildReadStatus(1);
  const Request b = BuildSetLower(2, 13, 0x38, 100.5f);
  Bytes stream(a.begin(), a.end());
  stream.insert(stream.begin(), {0xA5, 0x01});  // a false start
  stream.insert(stream.end(), b.begin(), b.end());
  FrameReader reader(kRequestFormat);
  reader.Feed(stream.data(), stream.size());
  Request out{};
  ASSERT_TRUE(reader.Next(out.data()));
  EXPECT_EQ(out, a);
  ASSERT_TRUE(reader.Next(out.data()));
  EXPECT_EQ(out, b);
  EXPECT_FALSE(reader.Next(out.data()));
}

TEST(PortMap, ParsesAssignmentsAndReportsBadOnes) {
  QStringList errors;
  const auto map = ParsePortList(QStringLiteral("4=/dev/ttyACM0, 5 = /dev/pts/3,20=/dev/x,a=/b,3=,=/c,,7"), &errors);
  ASSERT_EQ(map.size(), 2u);
  EXPECT_EQ(map.at(4), QStringLiteral("/dev/ttyACM0"));
  EXPECT_EQ(map.at(5), QStringLiteral("/dev/pts/3"));
  EXPECT_EQ(errors, (QStringList{"20=/dev/x", "a=/b", "3=", "=/c", "7"}));

  PortMap ports;
  EXPECT_TRUE(ports.Set(19, QStringLiteral("/dev/ttyS1")));
  EXPECT_EQ(ports.PathOf(19), QStringLiteral("/dev/ttyS1"));
  EXPECT_FALSE(ports.Set(20, QStringLiteral("/dev/ttyS1")));
  EXPECT_FALSE(ports.Set(3, QString()));
  EXPECT_TRUE(ports.PathOf(-1).isEmpty());
}

TEST(PortMap, DefaultsCoverUsbSerialAdaptersAndCdcInstruments) {
  EXPECT_EQ(PortMap::DefaultPath(0), QStringLiteral("/dev/ttyUSB0"));
  EXPECT_EQ(PortMap::DefaultPath(9), QStringLiteral("/dev/ttyUSB9"));
  EXPECT_EQ(PortMap::DefaultPath(10), QStringLiteral("/dev/ttyACM0"));
  EXPECT_EQ(PortMap::DefaultPath(19), QStringLiteral("/dev/ttyACM9"));
}

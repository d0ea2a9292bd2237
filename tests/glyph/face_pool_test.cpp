#include "glyph/face_pool.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "glyph/code_page.h"
#include "glyph/logfont.h"
#include "glyph/text_service.h"
#include "test_support.h"

namespace glyphory {
namespace {

std::shared_ptr<const std::string> FontBytes() {
  return std::make_shared<const std::string>(test::ReadFileBytes(test::TestFontPath()));
}

TEST(FacePool, ReturnedFaceIsLeasedAgainButNeverToTwoHoldersAtOnce) {
  FacePool& pool = FacePool::Instance();
  const auto bytes = FontBytes();
  auto first = pool.Lease(bytes, 0, 16);
  auto second = pool.Lease(bytes, 0, 16);
  ASSERT_TRUE(first && second);
  EXPECT_NE(first->face.get(), second->face.get());
  FT_Face returned = first->face.get();
  pool.Return(std::move(first));
  const auto again = pool.Lease(bytes, 0, 16);
  EXPECT_EQ(again->face.get(), returned);
  pool.Return(std::move(second));
}

TEST(FacePool, BytesThatHoldNoFaceLeaseNothing) {
  EXPECT_EQ(FacePool::Instance().Lease(std::make_shared<const std::string>("not a font"), 0, 16), nullptr);
}

// Made before main, so the program destroys it after every static object made
// while it runs, the pool among them.
std::unique_ptr<TFont> fontDestroyedAfterThePool;

TEST(FacePoolDeathTest, AFontDestroyedAtExitAfterThePoolGivesItsFaceBackSafely) {
  EXPECT_EXIT(
      {
        const LOGFONT record = ComposeLogFont("DejaVu Sans", false, false, RUSSIAN_CHARSET);
        (void)TFont(record);  // leaves an idle face, so the pool holds memory when it goes
        fontDestroyedAfterThePool = std::make_unique<TFont>(record);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

std::vector<std::unique_ptr<PooledFace>> LeaseMany(const std::shared_ptr<const std::string>& bytes,
                                                  std::size_t count) {
  std::vector<std::unique_ptr<PooledFace>> leased;
  for (std::size_t i = 0; i < count; ++i) {
    leased.push_back(FacePool::Instance().Lease(bytes, 0, 16));
  }
  return leased;
}

TEST(FacePool, OnlyTheLastReturnedFacesStayIdle) {
  FacePool& pool = FacePool::Instance();
  const auto bytes = FontBytes();
  const std::size_t count = FacePool::kMaxIdle + 3;
  std::vector<std::unique_ptr<PooledFace>> first = LeaseMany(bytes, count);
  std::set<FT_Face> newest;
  for (std::size_t i = 0; i < count; ++i) {
    if (i >= count - FacePool::kMaxIdle) {
      newest.insert(first[i]->face.get());
    }
    pool.Return(std::move(first[i]));
  }
  std::vector<std::unique_ptr<PooledFace>> second = LeaseMany(bytes, count);
  std::size_t reused = 0;
  for (auto& face : second) {
    reused += newest.count(face->face.get());
    pool.Return(std::move(face));
  }
  EXPECT_EQ(reused, FacePool::kMaxIdle);
}

// Fonts made one after another reuse one face; each still gets its own size
// and text table, so measuring does not depend on what came before.
TEST(FacePool, FontsOnAReusedFaceMeasureAsTheFirstOne) {
  LOGFONT record = ComposeLogFont("DejaVu Sans", false, false, RUSSIAN_CHARSET);
  const std::string text = "As_\xC1\xB8 32";
  record.lfHeight = 16;
  const TSize small = TFont(record).TextExtent(text);
  record.lfHeight = 100;
  const TSize large = TFont(record).TextExtent(text);
  record.lfCharSet = SYMBOL_CHARSET;
  (void)TFont(record).TextExtent(text);
  record.lfHeight = 16;
  record.lfCharSet = RUSSIAN_CHARSET;
  const TSize smallAgain = TFont(record).TextExtent(text);
  record.lfHeight = 100;
  const TSize largeAgain = TFont(record).TextExtent(text);
  EXPECT_EQ(small.cx, smallAgain.cx);
  EXPECT_EQ(small.cy, smallAgain.cy);
  EXPECT_EQ(large.cx, largeAgain.cx);
  EXPECT_EQ(large.cy, largeAgain.cy);
  EXPECT_GT(large.cx, small.cx);
}

}  // namespace
}  // namespace glyphory

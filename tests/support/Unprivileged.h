#pragma once
// Runs a piece of a test as an ordinary user. Permission bits do not bind the
// superuser, so a check that a read-only file or folder is refused would prove
// nothing as root (and the build machines run the tests as root). There the piece
// runs in a child process that first gives up its rights for those of "nobody".
//
//   hgl::test::TempDir dir("x");
//   ASSERT_TRUE(hgl::test::GiveToNobody(dir.Path()));     // the child must work there
//   std::string why;
//   const auto r = hgl::test::RunUnprivileged([&] {
//       EXPECT_FALSE(SaveInto(read_only_folder));        // gtest checks work inside
//       return true;                                      // false also fails the test
//   }, &why, {dir.Path()});
//   if (r == hgl::test::ChildOutcome::Unavailable) GTEST_SKIP() << why;
//   EXPECT_EQ(r, hgl::test::ChildOutcome::Passed) << why;
#include <functional>
#include <string>
#include <vector>

namespace hgl::test
{
// User and group id the child takes on ("nobody" / "nogroup" on Debian).
constexpr unsigned NobodyId = 65534;

enum class ChildOutcome
{
    Passed,      // the body returned true and no gtest check failed in it
    Failed,      // it returned false, a check failed, or the child died
    Unavailable  // the child could not be made or could not give up its rights
};

// True when the permission bits of files do not bind this process.
bool IsSuperuser();

// Makes one file or folder (not what lies inside) belong to NobodyId, so that the
// unprivileged child may use it. As an ordinary user there is nothing to do: true.
bool GiveToNobody(const std::string &path);

// As the superuser: forks; the child drops its supplementary groups, then its group
// and user id to NobodyId, checks that it can no longer get them back and that it
// can enter every folder in `reach`, runs body and leaves with _exit. The parent
// waits for it and turns its exit status into the outcome; failures of gtest checks
// inside the child are printed by the child and count as Failed.
// As an ordinary user: body runs right here, in this process.
// `why` (when given) receives a line that explains Failed or Unavailable.
ChildOutcome RunUnprivileged(const std::function<bool()> &body, std::string *why = nullptr,
                             const std::vector<std::string> &reach = {});
} // namespace hgl::test

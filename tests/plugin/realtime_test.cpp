// A running plug-in allocates nothing in a block: neither through the framework's heap (which
// refuses here) nor through operator new (counted here).
// The replacement pair below is malloc/free on both sides, which GCC cannot see once inlined.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#include <atomic>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "gui/icontrol.h"
#include "tests/plugin/amp_fixture.h"
#include "tests/support/failing_heap.h"

namespace {
std::atomic<long> newCalls{0};
}  // namespace

// Every unaligned form, so that allocation and release always meet in malloc and free.
namespace {
void* Counted(std::size_t bytes) {
  ++newCalls;
  return std::malloc(bytes ? bytes : 1);
}
void* CountedOrThrow(std::size_t bytes) {
  if (void* p = Counted(bytes)) return p;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t bytes) { return CountedOrThrow(bytes); }
void* operator new[](std::size_t bytes) { return CountedOrThrow(bytes); }
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept { return Counted(bytes); }
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept { return Counted(bytes); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace {

// Block sizes up to the host's block size, in a changing order.
int BlockSize(int block) {
  static const int kSizes[] = {64, 1, 1024, 17, 256, 2, 333, 1000, 7, 128};
  return kSizes[block % 10];
}

void RunBlocks(Kavrotel& plug, const std::vector<double>& in, std::vector<double>& out,
               int blocks) {
  size_t start = 0;
  for (int b = 0; b < blocks; ++b) {
    const int n = BlockSize(b);
    if (start + n > in.size()) start = 0;
    double* ins[1] = {const_cast<double*>(in.data()) + start};
    double* outs[1] = {out.data() + start};
    plug.ProcessBlock(ins, outs, n);
    start += n;
  }
}

// Reset prepares every model's chain off the audio thread; a model change, which may come on
// the audio thread, only restarts prepared chains, and the blocks after it, up to the host's
// block size, must not be the ones to grow the chains' queues.
TEST(Realtime, BlocksAllocateNothingFromTheFirstOnAndAfterAModelChange) {
  const std::vector<double> in = amp_test::GuitarSignal(20000);
  std::vector<double> out(in.size()), expected(in.size());
  auto plug = amp_test::MakePrepared();
  auto twin = amp_test::MakePrepared();
  for (Kavrotel* p : {plug.get(), twin.get()}) {
    amp_test::SetPlain(*p, kParamPedalBypass, 1);
    amp_test::SetPlain(*p, kParamThreshold, -70);
  }
  ASSERT_EQ(plug->GetBlockSize(), 1024);  // the largest of the sizes run
  const struct {
    int32_t index;
    double value;
  } kChanges[] = {{-1, 0}, {kParamPreamp, 1}, {kParamCabinetModel, 2}, {kParamPreamp, 0}};
  for (const auto& change : kChanges) {
    if (change.index >= 0) amp_test::SetPlain(*twin, change.index, change.value);
    LockGuard guard(plug->GetLock());
    failing_heap::FailAll(true);
    const long before = newCalls.load();
    if (change.index >= 0) amp_test::SetPlain(*plug, change.index, change.value);
    RunBlocks(*plug, in, out, 200);
    const long during = newCalls.load() - before;
    failing_heap::FailAll(false);
    RunBlocks(*twin, in, expected, 200);
    EXPECT_EQ(during, 0) << change.index;
    EXPECT_EQ(out, expected) << change.index;  // a refused growth would have dropped samples
  }
}

// The paths of the audio thread that reach the editor, with the plug-in's own editor attached:
// the meters after every block, the pedal group's hidden flags, the pedal light, and host
// automation of every parameter showing the value on its controls.
TEST(Realtime, EditorPathsAllocateNothingWithTheRealEditor) {
  const std::vector<double> in = amp_test::GuitarSignal(20000);
  std::vector<double> out(in.size());
  auto plug = amp_test::MakePrepared();
  IEditor* editor = plug->GetEditor();
  ASSERT_NE(editor, nullptr);
  ASSERT_NE(editor->GetControl(25), nullptr);
  RunBlocks(*plug, in, out, 20);  // the chains' queues at their working sizes
  LockGuard guard(plug->GetLock());
  failing_heap::FailAll(true);
  const long before = newCalls.load();
  RunBlocks(*plug, in, out, 100);
  for (double v : {1.0, 0.0, 1.0}) {
    amp_test::SetPlain(*plug, kParamPedal, v);
    amp_test::SetPlain(*plug, kParamPedalBypass, v);
  }
  for (int32_t i = 0; i < kParamCount; ++i) {
    plug->SetParameterFromHost(i, 0.75);
    RunBlocks(*plug, in, out, 3);
  }
  const long during = newCalls.load() - before;
  failing_heap::FailAll(false);
  EXPECT_EQ(during, 0);
  // And the editor heard all of it.
  EXPECT_EQ(static_cast<IControl*>(editor->GetControl(Kavrotel::kInputMeterControl))->GetValue(),
            plug->chain().InputMeterLevel());
  EXPECT_FALSE(static_cast<IControl*>(editor->GetControl(18))->IsHidden());
  EXPECT_EQ(static_cast<IControl*>(editor->GetControl(Kavrotel::kPedalLightControl))->GetValue(), 1.0);
  EXPECT_EQ(static_cast<IControl*>(editor->GetControl(3))->GetValue(), 0.75);  // Gain
}

}  // namespace

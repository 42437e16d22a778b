// Our objects called as a host built by another compiler calls them: through raw table slots
// by number, independent of our headers; and our header's host interfaces called on objects
// built by hand in that compiler's layout (slot 0 the one-slot deleting destructor).
#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>

#include "aax/aax_string.h"
#include "aax/aax_transport.h"
#include "aax/acf_unknown.h"
#include "tests/aax/fake_host_fixture.h"

namespace {

using fake_aax::Call;

// Identifier bytes as the host passes them: 16 bytes in memory, by address.
struct RawIid {
  explicit RawIid(const char* text) : id(fake_aax::IidFromText(text)) {}
  const unsigned char* Ptr() const { return id.bytes; }
  fake_aax::Iid16 id;
};

TEST(RawSlots, LibraryStringHasTheHostsSlotOrder) {
  AAX_CString s("abc");
  void* o = static_cast<AAX_IString*>(&s);
  EXPECT_EQ(Call<uint32_t>(o, 1), 3u);            // Length
  EXPECT_EQ(Call<uint32_t>(o, 2), 0xFFFFFFFEu);   // MaxLength
  EXPECT_STREQ(Call<const char*>(o, 3), "abc");   // Get
  Call<void>(o, 4, "hello");                      // Set
  EXPECT_STREQ(s.Get(), "hello");
  EXPECT_EQ(Call<void*>(o, 5, "xy"), o);          // AssignText returns the string itself
  EXPECT_STREQ(s.Get(), "xy");
  Call<void>(o, 4, static_cast<const char*>(nullptr));  // a host's null text
  EXPECT_STREQ(s.Get(), "");
  fake_aax::HostString hostString;
  hostString.text = "from host";
  EXPECT_EQ(Call<void*>(o, 6, static_cast<void*>(&hostString)), o);  // AssignString reads the host's Get
  EXPECT_STREQ(s.Get(), "from host");
}

TEST(RawSlots, LibraryStringSlotZeroIsTheDeletingDestructor) {
  alignas(AAX_CString) unsigned char storage[sizeof(AAX_CString)];
  auto* inPlace = new (storage) AAX_CString("a text long enough to live on the heap, not in the object");
  EXPECT_EQ(Call<void*>(static_cast<AAX_IString*>(inPlace), 0, 0u), static_cast<void*>(inPlace));  // destroys only
  auto* heap = new AAX_CString("freed by the host");
  Call<void*>(static_cast<AAX_IString*>(heap), 0, 1u);  // destroys and frees: the leak check sees it
}

TEST(RawSlots, HostStringCalledThroughOurHeader) {
  fake_aax::HostString h;
  AAX_IString* s = reinterpret_cast<AAX_IString*>(&h);
  s->Set("one");
  EXPECT_EQ(h.text, "one");
  EXPECT_EQ(s->Length(), 3u);
  EXPECT_EQ(s->MaxLength(), 1000u);
  EXPECT_STREQ(s->Get(), "one");
  EXPECT_EQ(&s->AssignText("two"), s);
  EXPECT_EQ(h.text, "two");
  AAX_CString ours("three");
  s->AssignString(&ours);
  EXPECT_EQ(h.text, "three");
  EXPECT_EQ(h.destructorCalls, 0);
}

TEST(RawSlots, HostTransportCalledThroughOurHeader) {
  fake_aax::HostTransport t;
  const AAX_ITransport* transport = reinterpret_cast<const AAX_ITransport*>(&t);
  double bpm = 0;
  int32_t n = 0, d = 0;
  bool playing = false, looping = false;
  int64_t ticks = 0, start = -1, end = 0, sample = 0;
  EXPECT_EQ(transport->GetTempo(&bpm), 0);
  EXPECT_EQ(transport->GetTimeSignature(&n, &d), 0);
  EXPECT_EQ(transport->IsPlaying(&playing), 0);
  EXPECT_EQ(transport->GetTickPosition(&ticks), 0);
  EXPECT_EQ(transport->GetLoop(&looping, &start, &end), 0);
  EXPECT_EQ(transport->GetSamplePosition(&sample), 0);
  EXPECT_EQ(t.log, (std::vector<std::string>{"GetTempo", "GetTimeSignature", "IsPlaying", "GetTickPosition", "GetLoop",
                                             "GetSamplePosition"}));
  EXPECT_EQ(bpm, 120.0);
  EXPECT_EQ(n, 3);
  EXPECT_EQ(d, 4);
  EXPECT_TRUE(playing);
  EXPECT_EQ(ticks, 4800000);
  EXPECT_TRUE(looping);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 3840000);
  EXPECT_EQ(sample, 88200);
}

using RawSlotHostTest = FakeHostTest;

TEST_F(RawSlotHostTest, TransportWrapperHasTheTransportSlotOrder) {
  {
    AAX_VTransport wrapper(Context());
    void* o = static_cast<AAX_ITransport*>(&wrapper);
    double bpm = 0;
    int64_t sample = 0;
    EXPECT_EQ(Call<int32_t>(o, 1, &bpm), 0);
    EXPECT_EQ(Call<int32_t>(o, 6, &sample), 0);
    EXPECT_EQ(bpm, 97.5);
    EXPECT_EQ(sample, 333);
  }
  EXPECT_EQ(Log(), (std::vector<std::string>{"transport.GetTempo", "transport.GetSamplePosition"}));
}

// A component object as the host sees it: slots 0 to 2 of the host-facing interface and of
// the private unknown.
struct ITestFacing : IACFUnknown {
  virtual int32_t Answer() = 0;
};
class Component final : public ITestFacing, public CACFUnknown {
 public:
  AAX_Result QueryInterface(const AcfIID& iid, void** out) override { return GetOuterUnknown()->QueryInterface(iid, out); }
  uint32_t AddRef() override { return GetOuterUnknown()->AddRef(); }
  uint32_t Release() override { return GetOuterUnknown()->Release(); }
  int32_t Answer() override { return 7; }
};

TEST(RawSlots, ComponentObjectsAnswerThroughSlotsZeroToTwo) {
  auto* c = new Component;
  void* facing = static_cast<ITestFacing*>(c);
  EXPECT_EQ(Call<uint32_t>(facing, 1), 1u);  // AddRef
  const RawIid unknown("{00000000-0000-0000-C000-000000000046}");
  const RawIid other("{964E323D-424C-5E1A-2227-282423222E1E}");
  void* out = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(Call<int32_t>(facing, 0, other.Ptr(), &out), static_cast<int32_t>(0x80000004u));
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(Call<int32_t>(facing, 0, unknown.Ptr(), static_cast<void**>(nullptr)), static_cast<int32_t>(0x80000004u));
  ASSERT_EQ(Call<int32_t>(facing, 0, unknown.Ptr(), &out), 0);
  EXPECT_EQ(out, c->GetPrivateUnknown());
  EXPECT_EQ(Call<uint32_t>(out, 1), 3u);  // AddRef through the private unknown
  EXPECT_EQ(Call<uint32_t>(out, 2), 2u);
  EXPECT_EQ(Call<uint32_t>(out, 2), 1u);
  EXPECT_EQ(Call<int32_t>(facing, 3), 7);
  EXPECT_EQ(Call<uint32_t>(facing, 2), 0u);  // destroyed; the leak check and ASan see the rest
  EXPECT_EQ(ACFObjectCount.load(), 0);
}

}  // namespace

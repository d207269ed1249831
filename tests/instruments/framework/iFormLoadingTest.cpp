#include "TestInstrument.h"

#include "instruments/framework/iFormLoading.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// Notes, when told Loaded, whether every control of the form had stopped loading by then.
class LoadedInstrument : public TestInstrument {
public:
    using TestInstrument::TestInstrument;

    int loaded = 0;
    bool formLoadedAtLoaded = false;

    void Loaded() override {
        ++loaded;
        formLoadedAtLoaded = true;
        for (const TiComponent* other : parentWidget()->findChildren<TiComponent*>())
            formLoadedAtLoaded = formLoadedAtLoaded && !other->GetLoading();
    }
};

} // namespace

class TiFormLoadingTest : public testing::Test {
protected:
    QWidget form;
    LoadedInstrument* existing = new LoadedInstrument(&form);
};

TEST_F(TiFormLoadingTest, EveryControlLoadsWhileTheDescriptionIsAppliedAndHearsLoadedOnce) {
    LoadedInstrument* made = nullptr;
    {
        TiFormLoading loading(form);
        made = new LoadedInstrument(&form);
        delete new LoadedInstrument(&form); // gone before Finish: skipped
        EXPECT_TRUE(existing->GetLoading());
        EXPECT_TRUE(made->GetLoading());
        loading.Finish();
        loading.Finish();
    }
    for (const LoadedInstrument* control : {existing, made}) {
        EXPECT_FALSE(control->GetLoading());
        EXPECT_EQ(control->loaded, 1);
        EXPECT_TRUE(control->formLoadedAtLoaded);
    }
    LoadedInstrument later(&form);
    EXPECT_FALSE(later.GetLoading());
}

TEST_F(TiFormLoadingTest, FailedSetUpEndsLoadingWithoutLoaded) {
    try {
        TiFormLoading loading(form);
        throw std::runtime_error("set-up failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(existing->GetLoading());
    EXPECT_EQ(existing->loaded, 0);
}

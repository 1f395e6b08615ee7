# One ctest per group of end-to-end scenarios, so that a failure names its
# group and each group has its own time limit.
set(LUMVALE_E2E_GROUPS Startup Tray HotKeys Popup Faults Settings Soak About)
foreach(group ${LUMVALE_E2E_GROUPS})
  lumvale_wine_test(e2e_${group} $<TARGET_FILE:e2e_tests> --gtest_filter=${group}.* --gtest_brief=1)
endforeach()

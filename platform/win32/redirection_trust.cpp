#include "platform/win32/redirection_trust.h"

#include <windows.h>

namespace calmora::win32 {

// The value Windows gives the policy; MinGW's headers name it as the sixteenth.
static_assert(ProcessRedirectionTrustPolicy == 16);

void IgnoreJunctionsMadeByStandardUsers() {
  PROCESS_MITIGATION_REDIRECTION_TRUST_POLICY policy{};
  policy.EnforceRedirectionTrust = 1;
  // Refused by a Windows that does not know the policy: nothing else to do there.
  SetProcessMitigationPolicy(ProcessRedirectionTrustPolicy, &policy, sizeof policy);
}

}  // namespace calmora::win32

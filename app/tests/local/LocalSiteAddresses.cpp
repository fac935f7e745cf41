// Points the bidding site and the route page at local addresses that refuse connections, so
// that a main window's start-up navigation ends at once and no test reaches outside the
// machine, whether the test program runs under CTest or on its own. Addresses already in the
// environment stay: a test run can point the pages elsewhere. The build gives the addresses, the
// same that CTest puts in the tests' environment. The program's address constants are read from the
// environment when the program's globals are made, so this object is made first of all
// (init_priority), while the program has one thread.
#include <cstdlib>

namespace {

struct LocalSiteAddresses {
    LocalSiteAddresses() {
        ::setenv("VAKREL_NYUSATSU_URL", LOCAL_BIDDING_SITE, 0);
        ::setenv("VAKREL_ROUTE_URL", LOCAL_ROUTE_PAGE, 0);
    }
};

const LocalSiteAddresses localSiteAddresses __attribute__((init_priority(101)));

} // namespace

#pragma once
// Set-up that the ping tests need from the private network namespace they
// run in. Nothing here touches a namespace that has more than loopback.

namespace tervane::test {

// True when the only network interface is loopback.
bool InPrivateNetwork();

// Lets every group open ICMP datagram sockets (a per-namespace setting).
// `allow` false takes the right away from every group again.
bool SetDatagramPingAllowed(bool allow);

// Gives this process a mount namespace of its own whose resolver
// configuration names a closed port on 127.0.0.1, so that a name lookup
// fails at once instead of waiting for a server that is not there.
// Must run before any thread is started.
bool UseClosedResolver();

// Both of the above, from main(); prints why when one cannot be done.
void PrepareNamespace();

}  // namespace tervane::test

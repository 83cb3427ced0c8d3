#!/usr/bin/perl
# A bare native TCP responder for timing the LAN link without Wine at the far
# end: listens on ADDRESS (a 127.x.y.z address) port 10001, serves one
# connection at a time, and answers every command line that ends in "?" with
# REPLY (default "3") and "\r\n". NUL and DC4 bytes are ignored. Prints
# "listening" once it is ready.
#   perl tools/lan_responder.pl ADDRESS [REPLY]
use strict;
use warnings;
use IO::Socket::INET;
use Socket qw(IPPROTO_TCP TCP_NODELAY);

my ($address, $reply) = @ARGV;
die "usage: lan_responder.pl ADDRESS [REPLY]\n" unless defined $address;
die "$address: only loopback addresses (127.x.y.z)\n" unless $address =~ /^127\.\d+\.\d+\.\d+$/;
$reply = "3" unless defined $reply;

my $listener = IO::Socket::INET->new(LocalAddr => $address, LocalPort => 10001,
                                     Proto => 'tcp', Listen => 4, ReuseAddr => 1)
    or die "$address: cannot listen: $!\n";
$| = 1;
print "listening\n";

while (my $client = $listener->accept) {
    setsockopt($client, IPPROTO_TCP, TCP_NODELAY, 1);
    my $pending = '';
    while (sysread($client, my $chunk, 4096)) {
        $chunk =~ tr/\x00\x14//d;
        $pending .= $chunk;
        while ($pending =~ s/^([^\n]*)\n//) {
            syswrite($client, "$reply\r\n") if $1 =~ /\?\s*$/;
        }
    }
    close $client;
}

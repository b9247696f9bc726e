#!/bin/bash
# A synthetic corpus of N short documents for scale benchmarks: WordNet glosses
# recombined, keeping categories.
#
#   bench/make-synthetic-corpus.sh OUTDIR N
#
# The whole default corpus (scripts/make-default-corpus.sh DIR 1) is the
# source. Document i takes a source document chosen at random, so the
# categories keep their shares, and joins its gloss with two more glosses of
# the same category: about 30 distinct words a document, and the vocabulary
# of the real corpus. One document in five is a test document. The random
# numbers are seeded with N, so the same N gives the same corpus. Documents
# go 50,000 to a file.
set -euo pipefail

outdir=${1:?usage: make-synthetic-corpus.sh OUTDIR N}
count=${2:?usage: make-synthetic-corpus.sh OUTDIR N}
top=$(cd "$(dirname "$0")/.." && pwd)

source=$(mktemp -d)
tmp=$(mktemp -d "${outdir%/}.tmp.XXXXXX")
trap 'rm -rf "$source" "$tmp"' EXIT
"$top/scripts/make-default-corpus.sh" "$source/corpus" 1

perl -e '
use strict; use warnings;
my ($count, $out, @inputs) = @ARGV;
my (@topics, @texts, %byTopic);
for my $file (@inputs) {
    open my $in, "<", $file or die "$file: $!";
    local $/;
    my $content = <$in>;
    while ($content =~ m{<TOPIC>(.*?)</TOPIC>\s*<TEXT>(.*?)</TEXT>}gs) {
        push @topics, $1;
        push @texts, $2;
        push @{$byTopic{$1}}, $#texts;
    }
}
die "no documents in the source corpus\n" unless @texts;
srand($count);
my $perFile = 50000;
my $fh;
for my $i (0 .. $count - 1) {
    if ($i % $perFile == 0) {
        if ($fh) { print $fh "</COLLECTION>\n"; close $fh or die; }
        my $name = sprintf("%s/synthetic-%05d.xml", $out, $i / $perFile + 1);
        open $fh, ">", $name or die "$name: $!";
        print $fh "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<COLLECTION>\n";
    }
    my $j = int(rand(@texts));
    my $pool = $byTopic{$topics[$j]};
    my $text = join(" ", $texts[$j], map { $texts[$pool->[int(rand(@$pool))]] } 1 .. 2);
    my $set = $i % 5 == 4 ? "TEST" : "TRAIN";
    print $fh "<DATA>\n<SET>$set</SET>\n<TOPIC>$topics[$j]</TOPIC>\n<TEXT>$text</TEXT>\n</DATA>\n";
}
if ($fh) { print $fh "</COLLECTION>\n"; close $fh or die; }
' "$count" "$tmp" "$source"/corpus/*.xml

chmod 755 "$tmp"
rm -rf "$outdir"
mv "$tmp" "$outdir"
echo "$count documents in $outdir"

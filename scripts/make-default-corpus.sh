#!/bin/bash
# Builds the default corpus: the glosses of WordNet (Debian package
# wordnet-base) as documents in the workbench's markup, one category per
# lexicographer file ("noun.artifact" becomes "noun-artifact").
#
#   scripts/make-default-corpus.sh OUTDIR [KEEP_ONE_IN]
#
# Every synset is hashed (FNV-1a over "pos:offset"); one synset in KEEP_ONE_IN
# (default 10, about 11,800 documents; 1 keeps all 117,775) becomes a
# document, and one kept document in five is a test document. The hash makes
# the choice and the split the same on every machine. Documents are spread
# over twelve files; each file lists its training documents before its test
# documents, as a collection sorted by split would.
set -euo pipefail

outdir=${1:?usage: make-default-corpus.sh OUTDIR [KEEP_ONE_IN]}
keep=${2:-10}
wordnet=/usr/share/wordnet
[ -r "$wordnet/data.noun" ] || { echo "WordNet data not found in $wordnet (install wordnet-base)" >&2; exit 1; }

tmp=$(mktemp -d "${outdir%/}.tmp.XXXXXX")
chmod 755 "$tmp"
trap 'rm -rf "$tmp"' EXIT

perl -e '
use strict; use warnings;
my ($keep, $out, @inputs) = @ARGV;
my @lexnames = qw(adj.all adj.pert adv.all noun.Tops noun.act noun.animal noun.artifact
  noun.attribute noun.body noun.cognition noun.communication noun.event noun.feeling
  noun.food noun.group noun.location noun.motive noun.object noun.person noun.phenomenon
  noun.plant noun.possession noun.process noun.quantity noun.relation noun.shape
  noun.state noun.substance noun.time verb.body verb.change verb.cognition
  verb.communication verb.competition verb.consumption verb.contact verb.creation
  verb.emotion verb.motion verb.perception verb.possession verb.social verb.stative
  verb.weather adj.ppl);
sub fnv1a { my $h = 2166136261; for my $c (unpack("C*", $_[0])) { $h = (($h ^ $c) * 16777619) & 0xffffffff; } return $h; }
my $files = 12;
my (@train, @test);
push @train, [] for 1 .. $files;
push @test, [] for 1 .. $files;
for my $input (@inputs) {
  open(my $in, "<", $input) or die "cannot read $input\n";
  while (my $line = <$in>) {
    next if $line =~ /^  /;                       # licence header
    my ($offset, $lexfile, $pos) = split / /, $line;
    my ($gloss) = $line =~ /\| (.*?)\s*$/ or next;
    my $h = fnv1a("$pos:$offset");
    next if $h % $keep;
    my $category = $lexnames[$lexfile] // next;
    $category =~ tr/./-/;
    my $doc = "<DATA>\n<SET>" . ((($h >> 8) % 5) ? "TRAIN" : "TEST") . "</SET>\n"
            . "<TOPIC>$category</TOPIC>\n<TEXT>$gloss</TEXT>\n</DATA>\n";
    my $bucket = ($h >> 16) % $files;
    push @{ (($h >> 8) % 5) ? $train[$bucket] : $test[$bucket] }, $doc;
  }
}
for my $i (0 .. $files - 1) {
  my $name = sprintf("%s/wordnet-glosses-%02d.xml", $out, $i + 1);
  open(my $fh, ">", $name) or die "cannot write $name\n";
  print $fh "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  print $fh "<!-- Glosses of WordNet 3.0 (Princeton University), categorised by lexicographer file -->\n";
  print $fh "<COLLECTION>\n", @{ $train[$i] }, @{ $test[$i] }, "</COLLECTION>\n";
  close($fh) or die "cannot write $name\n";
}
' "$keep" "$tmp" "$wordnet/data.noun" "$wordnet/data.verb" "$wordnet/data.adj" "$wordnet/data.adv"

rm -rf "$outdir"
mv "$tmp" "$outdir"
trap - EXIT
echo "Default corpus written to $outdir: $(ls "$outdir" | wc -l) files, $(grep -c '^<DATA>' "$outdir"/*.xml | awk -F: '{s+=$2} END {print s}') documents"

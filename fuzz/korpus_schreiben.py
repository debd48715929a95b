#!/usr/bin/env python3
# Writes the seed files of the fuzz corpus: small dBase III tables with every
# field class, a deleted record, code-page bytes and a short header.
import struct, pathlib

def tabelle(felder, saetze, geloescht=(), ldid=0x57, terminator_nach=None):
    kopf_laenge = 32 + 32 * len(felder) + 1
    satz_laenge = 1 + sum(f[2] for f in felder)
    b = bytearray(struct.pack('<BBBBIHH', 3, 121, 3, 15, len(saetze), kopf_laenge, satz_laenge))
    b += bytes(17) + bytes([ldid]) + bytes(2)
    for i, (name, typ, laenge, stellen) in enumerate(felder):
        if terminator_nach is not None and i == terminator_nach:
            b += b'\r' + bytes(31)
            continue
        b += name.encode().ljust(11, b'\0') + typ.encode() + bytes(4) + bytes([laenge, stellen]) + bytes(14)
    b += b'\r'
    for n, s in enumerate(saetze):
        b += b'*' if n in geloescht else b' '
        for (name, typ, laenge, stellen), wert in zip(felder, s):
            b += wert.ljust(laenge, b' ')[:laenge]
    b += b'\x1a'
    return bytes(b)

ordner = pathlib.Path(__file__).parent / 'korpus'
ordner.mkdir(exist_ok=True)
felder = [('NUMMER', 'C', 10, 0), ('FLAECHE', 'N', 10, 4), ('DATUM', 'D', 8, 0), ('AKTIV', 'L', 1, 0), ('NAME', 'C', 20, 0)]
saetze = [[b'17.1', b'    2.5000', b'20210315', b't', b'Stra\xe1e'],
          [b'18', b'**********', b'', b'?', b'Gr\xfcnland'],
          [b'19', b'-3.5', b'20210230', b'T', b'\x84\x94\x81']]
(ordner / 'arten.dbf').write_bytes(tabelle(felder, saetze, geloescht=(1,)))
(ordner / 'dos.dbf').write_bytes(tabelle(felder, saetze, ldid=0x02))
(ordner / 'endzeichen.dbf').write_bytes(tabelle(felder[:2], [s[:2] for s in saetze], terminator_nach=1))
(ordner / 'leer.dbf').write_bytes(tabelle(felder, []))
(ordner / 'kurz.dbf').write_bytes(tabelle(felder, saetze)[:80])

// Yardsticks for bench_fpga.sh, run through the same iCE40 flow as the core.

// A bare registered phase accumulator: the carry chain every DDS carries.
module bench_acc #(
    parameter P = 27,
    parameter [P-1:0] INC = 1
) (
    input  wire         clk_i,
    output reg  [P-1:0] phase_o
);
    initial phase_o = {P{1'b0}};
    always @(posedge clk_i)
        phase_o <= phase_o + INC;
endmodule

// A plain sine/cosine DDS of the same widths: accumulator, quarter-wave
// table in block RAM (entries at half-step angles, so that the mirrored
// quadrants read ~index) between registered addresses and a registered
// read, sign applied in a registered output.
module bench_dds #(
    parameter P = 27,
    parameter W = 12,
    parameter A = 12,
    parameter [P-1:0] INC = 1,
    parameter TABLE = "quarter.hex"
) (
    input  wire         clk_i,
    output reg  [W-1:0] sine_o,
    output reg  [W-1:0] cosine_o
);
    localparam Q = A - 2;

    reg [P-1:0] acc = {P{1'b0}};
    always @(posedge clk_i)
        acc <= acc + INC;

    wire [1:0]   quadrant = acc[P-1 -: 2];
    wire [Q-1:0] index = acc[P-3 -: Q];

    reg [Q-1:0] s_addr, c_addr;
    reg [1:0]   quadrant1;
    always @(posedge clk_i) begin
        s_addr <= quadrant[0] ? ~index : index;
        c_addr <= quadrant[0] ? index : ~index;
        quadrant1 <= quadrant;
    end

    reg [W-1:0] table_rom [0:(1 << Q) - 1];
    initial $readmemh(TABLE, table_rom);

    reg [W-1:0] s_read, c_read, s_mag, c_mag;
    reg [1:0]   quadrant2, quadrant3;
    always @(posedge clk_i) begin
        s_read <= table_rom[s_addr];
        c_read <= table_rom[c_addr];
        s_mag <= s_read;
        c_mag <= c_read;
        quadrant2 <= quadrant1;
        quadrant3 <= quadrant2;
    end

    always @(posedge clk_i) begin
        sine_o <= quadrant3[1] ? -s_mag : s_mag;
        cosine_o <= (quadrant3[1] ^ quadrant3[0]) ? -c_mag : c_mag;
    end
endmodule
